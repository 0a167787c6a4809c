// A review program, not a test: shows the input prompt and the remembered-answer dialogs as the
// program does, saves a picture of each (the dialog alone, and the whole screen), and opens and
// closes a dialog five times printing the bounds it keeps each time. Run it under xvfb-run, with
// or without a window manager: dialog_screenshots <output folder>
#include "dialogs/input_box.h"
#include "platform/platform_init.h"
#include "platform/registry/hive_store.h"
#include "platform/registry/reg_ini_file.h"
#include "platform/rtl/application.h"
#include "platform/widgets/platform_widgets_init.h"
#include "platform/widgets/prompt_service.h"
#include "settings/forms/remembered_dialogs.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QWindow>
#include <cstdio>

namespace {

void PumpFor(int Ms, const std::function<bool()>& Done = {})
{
    QDeadlineTimer deadline(Ms);
    while (!deadline.hasExpired() && !(Done && Done()))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// Shows each dialog, lets the window manager frame it, takes its pictures and closes it.
class TPictureTaker : public TPromptService {
public:
    TPictureTaker(QString Folder) : folder_(std::move(Folder)) {}
    QStringList Names;

    int Execute(QDialog& Dialog) override
    {
        Dialog.show();
        PumpFor(3000, [&] {
            return Dialog.windowHandle() && Dialog.windowHandle()->isExposed() &&
                   Dialog.frameGeometry() != Dialog.geometry();
        });
        PumpFor(300);
        const QString name = Names.isEmpty() ? QStringLiteral("dialog") : Names.takeFirst();
        if (!name.isEmpty()) {
            Dialog.grab().save(folder_ + name + QStringLiteral(".png"));
            Dialog.screen()->grabWindow(0).save(folder_ + name + QStringLiteral("-screen.png"));
        }
        Dialog.reject();
        PumpFor(100);
        return Dialog.result();
    }

private:
    QString folder_;
};

void PrintKept(const QString& Key, int Cycle)
{
    TRegIniFile ini(Key);
    std::printf("cycle %d: Left %d Top %d Width %d Height %d\n", Cycle, ini.ReadInteger("", "Left", 0),
                ini.ReadInteger("", "Top", 0), ini.ReadInteger("", "Width", 0),
                ini.ReadInteger("", "Height", 0));
}

// A sizeable dialog for the drift check.
class TSizeableDialog : public TStreamPositionFrm {
public:
    TSizeableDialog() : TStreamPositionFrm(nullptr, skRegistry, DialogKey(QStringLiteral("Review Sizeable")))
    {
        SetClientSize(360, 240);
        setWindowTitle(QStringLiteral("Sizeable"));
    }
};

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    QTemporaryDir home; // a registry of its own, away from the user's
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));
    QApplication qt(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tarnwick-halyard"));
    TApplication app;
    app.SetTitle(QStringLiteral("Tarnwick Halyard FTP 5.2"));
    initPlatform();
    initPlatformWidgets();
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + QLatin1Char('/');
    QDir().mkpath(folder);

    TPictureTaker taker(folder);
    SetPromptService(&taker);

    // The drift check first: the first dialog is placed before any frame is known.
    QString value;
    for (const bool sizeable : {true, false}) {
        std::printf("%s dialog, five open/close cycles:\n", sizeable ? "sizeable" : "fixed-size input");
        for (int cycle = 1; cycle <= 5; ++cycle) {
            taker.Names = {QString()};
            if (sizeable) {
                TSizeableDialog dialog;
                dialog.ShowModal();
            } else {
                InputBoxPos(QStringLiteral("Cycle"), QStringLiteral("Prompt"), value, 10);
            }
            PrintKept(DialogKey(sizeable ? QStringLiteral("Review Sizeable") : QStringLiteral("InputBox")),
                      cycle);
        }
    }

    taker.Names = {QStringLiteral("input-box"), QStringLiteral("input-box-password"),
                   QStringLiteral("remembered-answer"), QStringLiteral("remembered-captions")};
    value = QStringLiteral("folder");
    InputBoxPos(QStringLiteral("New Folder"), QStringLiteral("Select a new folder name"), value, 0);
    value.clear();
    InputBoxPos2(QStringLiteral("Password Required"),
                 QStringLiteral("Please enter the login password for 'anonymous'"), value, 5);
    const QString mainForm = QStringLiteral("Software\\Tarnwick Software\\Halyard FTP 5\\Main Form\\");
    MessageDlgRemember(
        QStringLiteral("Would you like to open 'index.html'? If Yes, Tarnwick Halyard FTP 5.2 will "
                       "take a moment to download this file."),
        QStringLiteral("Do not ask again"), mainForm, 0, {}, {mbYes, mbNo}, mtConfirmation,
        QStringLiteral("HideRemoteDragDlg"));
    MessageDlgCaptionsRemember(
        QStringLiteral(
            "Would you like to archive the current remote folder (/pub/www) and its contents? Select Make "
            "Zip to archive the current remote folder and its contents. It will take a moment to download "
            "and ZIP the files. The ZIP will then be saved to: '/home/me/Desktop/.'"),
        QStringLiteral("Do not ask again"), mainForm, 3, {}, {mbYes, mbNo}, mtInformation,
        QStringLiteral("HideZipContineDlg"), {QStringLiteral("&Make Zip"), QStringLiteral("&No")});

    THiveStore::CurrentUser().Flush();
    return 0;
}
