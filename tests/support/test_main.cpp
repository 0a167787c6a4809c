// The main of every test binary: per-run folders, an offscreen application, the folders' init
// functions, and an exception prompt, a prompt service and a popup-menu service that fail the
// running test instead of showing a box or a menu.
#include "support/scripted_menus.h"
#include "support/scripted_prompts.h"
#include "support/test_env.h"

#include "platform/rtl/application.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <cstdlib>
#include <string>
#include <unistd.h>

void runFolderInits(); // generated for each test binary

namespace {

std::string RunFolder;

void SetUpRunFolders()
{
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/hftp-test-XXXXXX";
    if (!mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        std::exit(2);
    }
    RunFolder = pattern;
    for (const char* name : {"config", "data", "cache", "tmp"})
        QDir().mkpath(QString::fromStdString(RunFolder + "/" + name));
    setenv("XDG_CONFIG_HOME", (RunFolder + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (RunFolder + "/data").c_str(), 1);
    setenv("XDG_CACHE_HOME", (RunFolder + "/cache").c_str(), 1);
    setenv("TMPDIR", (RunFolder + "/tmp").c_str(), 1);
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

} // namespace

QString testRunFolder() { return QString::fromStdString(RunFolder); }

int main(int argc, char** argv)
{
    SetUpRunFolders();
    ::testing::InitGoogleTest(&argc, argv);
    // Death tests run in a fresh copy of the binary, never in a fork of a threaded process.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    QApplication qt(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tarnwick-halyard"));
    TApplication app;
    app.SetTitle(QStringLiteral("Tarnwick Halyard FTP 5.2"));
    runFolderInits();
    TApplication::SetExceptionPrompt(
        [](const QString& message) { ADD_FAILURE() << "unexpected exception prompt: " << message.toStdString(); });
    InstallUnexpectedPromptGuard();
    InstallUnexpectedMenuGuard();

    const int result = RUN_ALL_TESTS();
    if (!std::getenv("HFTP_KEEP_TEST_FOLDER"))
        QDir(testRunFolder()).removeRecursively();
    return result;
}
