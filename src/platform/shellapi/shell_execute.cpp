// ShellExecute over QDesktopServices and QProcess.
#include "platform/shellapi/shell_execute.h"

#include "platform/system/files.h"
#include "platform/system/name_encoding.h"

#include <QDesktopServices>
#include <QProcess>
#include <QRegularExpression>

#include <sys/stat.h>
#include <unistd.h>

namespace {

TShellLauncher InstalledLauncher;

bool LaunchForReal(const TShellLaunch& Launch)
{
    if (!Launch.Url.isEmpty())
        return QDesktopServices::openUrl(Launch.Url);
    return QProcess::startDetached(Launch.Program, Launch.Arguments, Launch.WorkingFolder);
}

bool IsUrl(const QString& File)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://|^mailto:"));
    return scheme.match(File).hasMatch();
}

bool IsExecutableFile(const QString& File)
{
    const QByteArray name = EncodeName(File);
    struct stat st;
    return ::stat(name.constData(), &st) == 0 && S_ISREG(st.st_mode) && ::access(name.constData(), X_OK) == 0;
}

} // namespace

QStringList SplitParameters(const QString& Parameters)
{
    QStringList arguments;
    QString current;
    bool quoted = false;
    bool started = false;
    for (const QChar c : Parameters) {
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
            started = true;
        } else if ((c == QLatin1Char(' ') || c == QLatin1Char('\t')) && !quoted) {
            if (started)
                arguments += current;
            current.clear();
            started = false;
        } else {
            current += c;
            started = true;
        }
    }
    if (started)
        arguments += current;
    return arguments;
}

TShellLauncher SetShellLauncher(TShellLauncher Launcher)
{
    return std::exchange(InstalledLauncher, std::move(Launcher));
}

std::intptr_t win::ShellExecute(HWND, const QString& Operation, const QString& File,
                                const QString& Parameters, const QString& Directory, int)
{
    if (!Operation.isEmpty() && Operation.compare(QLatin1String("open"), Qt::CaseInsensitive) != 0)
        return SE_ERR_NOASSOC;
    TShellLaunch launch;
    if (IsUrl(File)) {
        launch.Url = QUrl(File);
    } else {
        const QString path = ExpandFileName(File);
        if (!FileExists(path) && !DirectoryExists(path))
            return SE_ERR_FNF;
        if (IsExecutableFile(path)) {
            launch.Program = path;
            launch.Arguments = SplitParameters(Parameters);
            launch.WorkingFolder = Directory;
        } else {
            launch.Url = QUrl::fromLocalFile(path);
        }
    }
    return ShellLaunch(launch) ? 42 : SE_ERR_NOASSOC;
}

bool ShellLaunch(const TShellLaunch& Launch)
{
    const TShellLauncher launcher = InstalledLauncher ? InstalledLauncher : TShellLauncher(LaunchForReal);
    return launcher(Launch);
}
