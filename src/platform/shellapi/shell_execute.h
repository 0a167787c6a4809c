// ShellExecute: opening documents and addresses with the desktop's handler, and starting programs.
#pragma once

#include "platform/messages/messages.h"

#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>

namespace win {

constexpr int SW_SHOWNORMAL = 1;

// Results of ShellExecute up to 32 are failures.
constexpr std::intptr_t SE_ERR_FNF = 2;      // the file does not exist
constexpr std::intptr_t SE_ERR_NOASSOC = 31; // nothing could open it, or the verb is not "open"

// Runs Operation ("open", or empty for the same) on File and returns a value above 32 on success.
// A URL ("scheme://...", "mailto:...") and a document or folder are opened with the desktop's
// handler (Parameters are not used); an executable file is started with Parameters split into an
// argument vector: blanks separate arguments, double quotes group blanks into one and are
// removed. No shell ever reads the text. Directory is the started program's working folder.
std::intptr_t ShellExecute(HWND hwnd, const QString& Operation, const QString& File,
                           const QString& Parameters, const QString& Directory, int ShowCmd);

} // namespace win

// What ShellExecute launches: a URL for the desktop's handler, or a program with its arguments.
struct TShellLaunch {
    QUrl Url;
    QString Program;
    QStringList Arguments;
    QString WorkingFolder;
};
// Launches and reports success. Tests replace it (nothing then reaches the desktop); an empty
// function restores the real one. Returns the launcher in use before (empty for the real one).
using TShellLauncher = std::function<bool(const TShellLaunch& Launch)>;
TShellLauncher SetShellLauncher(TShellLauncher Launcher);
// A command line's arguments: blanks separate them, double quotes group blanks into one and are
// removed.
QStringList SplitParameters(const QString& Parameters);
// Launches through the launcher in use.
bool ShellLaunch(const TShellLaunch& Launch);
