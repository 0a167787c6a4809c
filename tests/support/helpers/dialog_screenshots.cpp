// A review program, not a test: shows the program's dialogs as the program does, saves a picture
// of each (the dialog alone, and the whole screen), and opens and closes a dialog five times
// printing the bounds it keeps each time. Run it under xvfb-run, with or without a window manager
// (tests/support/helpers/review_dialogs runs it with openbox): dialog_screenshots <output folder>
// With xdotool on the PATH, the dialogs are driven through the X server as a person would: keys
// typed into them before their pictures, and the key that closes them.
#include "dialogs/basic_progress_frm.h"
#include "dialogs/bookmark_properties_frm.h"
#include "dialogs/close_app_dlg.h"
#include "dialogs/confirm_delete_dlg.h"
#include "dialogs/confirm_replace_dlg.h"
#include "dialogs/dialog_pictures.h"
#include "dialogs/ftp_progress_dlg.h"
#include "dialogs/ftp_properties_dlg.h"
#include "dialogs/html_label.h"
#include "dialogs/html/edit_page_frm.h"
#include "dialogs/html/edit_page_frm2.h"
#include "dialogs/html/image_view_frm.h"
#include "dialogs/dialogs_init.h"
#include "dialogs/ed_repl_frm.h"
#include "editor/editor_init.h"
#include "imaging/gif_image.h"
#include "imaging/imaging_init.h"
#include "dialogs/input_box.h"
#include "dialogs/options/app_settings_dlg_frm.h"
#include "dialogs/sites/server_edit_frm.h"
#include "dialogs/wizard/win2k_wiz_frm.h"
#include "dialogs/wizard/wiz_server_cli_frm.h"
#include "dialogs/pt_frame.h"
#include "dialogs/pt_group.h"
#include "dialogs/permission_grid.h"
#include "platform/widgets/combo_box.h"
#include "platform/widgets/std_controls.h"
#include "dialogs/search_dlg.h"
#include "dialogs/splash_screen.h"
#include "dialogs/file_type_icon.h"
#include "platform/platform_init.h"
#include "platform/registry/hive_store.h"
#include "platform/registry/reg_ini_file.h"
#include "platform/rtl/application.h"
#include "platform/rtl/string_list.h"
#include "platform/widgets/platform_widgets_init.h"
#include "platform/widgets/prompt_service.h"
#include "routines/date_stamp.h"
#include "routines/registry_helpers.h"
#include "settings/app_settings.h"
#include "settings/firewalls.h"
#include "settings/upload_profiles.h"
#include "settings/forms/remembered_dialogs.h"
#include "settings/global_objects.h"
#include "shell/shell_init.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTabBar>
#include <QTreeWidget>
#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QWindow>
#include <cstdio>

TCustomSyntaxMemo* NewReviewMemo(const char* Text);
void FreeReviewMemo(TCustomSyntaxMemo* Memo);

namespace {

void PumpFor(int Ms, const std::function<bool()>& Done = {})
{
    QDeadlineTimer deadline(Ms);
    while (!deadline.hasExpired() && !(Done && Done()))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// Runs xdotool with Arguments on the window Window (activated first); false without xdotool.
bool XdoTool(WId Window, const QStringList& Arguments)
{
    static const QString tool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
    if (tool.isEmpty() || Arguments.isEmpty())
        return false;
    QStringList args = {QStringLiteral("windowactivate"), QStringLiteral("--sync"), QString::number(Window)};
    args << Arguments;
    return QProcess::execute(tool, args) == 0;
}

// One picture: its name, what xdotool does in the window before it is taken (made once the window
// shows), and the key that closes the window.
struct TShot {
    QString Name;
    std::function<QStringList(QDialog& Dialog)> Drive;
    QString CloseKey = QStringLiteral("Escape");
};

// Drives a window by a fixed list of xdotool arguments.
std::function<QStringList(QDialog&)> Keys(const QStringList& Arguments)
{
    return [Arguments](QDialog&) { return Arguments; };
}

// A click on Widget's point At (in Widget's coordinates).
QStringList ClickAt(QDialog& Dialog, QWidget& Widget, const QPoint& At)
{
    const QPoint inside = Widget.mapTo(&Dialog, At);
    return {QStringLiteral("mousemove"), QStringLiteral("--window"), QString::number(Dialog.winId()),
            QString::number(inside.x()), QString::number(inside.y()), QStringLiteral("click"), QStringLiteral("1")};
}

// Shows each dialog, lets the window manager frame it, drives it, takes its pictures and closes it.
class TPictureTaker : public TPromptService {
public:
    TPictureTaker(QString Folder) : folder_(std::move(Folder)) {}
    QList<TShot> Shots;

    void Picture(QWidget& Window, const QString& Name)
    {
        PumpFor(3000, [&] {
            return Window.windowHandle() && Window.windowHandle()->isExposed() &&
                   Window.frameGeometry() != Window.geometry();
        });
        PumpFor(300);
        if (Name.isEmpty())
            return;
        Window.grab().save(folder_ + Name + QStringLiteral(".png"));
        Window.screen()->grabWindow(0).save(folder_ + Name + QStringLiteral("-screen.png"));
    }

    int Execute(QDialog& Dialog) override
    {
        const TShot shot = Shots.isEmpty() ? TShot{QStringLiteral("dialog"), {}} : Shots.takeFirst();
        Dialog.show();
        Picture(Dialog, QString());
        if (shot.Drive && XdoTool(Dialog.winId(), shot.Drive(Dialog)))
            PumpFor(500);
        Picture(Dialog, shot.Name);
        if (Dialog.isVisible() && XdoTool(Dialog.winId(), {QStringLiteral("key"), shot.CloseKey}))
            PumpFor(2000, [&] { return !Dialog.isVisible(); });
        if (Dialog.isVisible()) {
            std::printf("%s: closed by the program\n", qPrintable(shot.Name));
            Dialog.reject();
        }
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

// The welcome text of the server-profile wizard, as its HTML label shows it.
const QStringList WelcomeText = {
    "<P align=\"center\"><FONT size=\"12\"><B>Welcome to the Server Profile Wizard</B></FONT></P><BR>",
    "This wizard helps you create a new server profile: the host to connect to, your user name and ",
    "password, and the folders to start in. <IMG src=\"idx:0\"> Each step explains what it asks for.<BR><BR>",
    "<IND x=\"20\"><I>To begin, click</I> <A href=\"start\">start</A>; for help write to ",
    "<A href=\"mailto:support@example.com\">support</A>.<HR>",
    "<FONT color=\"clGray\">Settings are kept per user.</FONT>",
};

// A window holding an HTML label.
class THTMLabelWindow : public TForm {
public:
    THTMLabelWindow()
    {
        SetBorderStyle(bsDialog);
        SetClientSize(420, 220);
        setWindowTitle(QStringLiteral("HTML Label"));
        label_ = new THTMLabel(nullptr, this);
        label_->setGeometry(10, 10, 400, 200);
        label_->SetImages(&LabelImages());
        label_->SetHTMLText(WelcomeText);
    }

private:
    THTMLabel* label_;
};

// A window with a frame of every style, a captioned group and a pane.
class TFramesWindow : public TForm {
public:
    TFramesWindow()
    {
        SetBorderStyle(bsDialog);
        SetClientSize(430, 250);
        setWindowTitle(QStringLiteral("Frames"));
        const char* const names[] = {"None",   "Group",    "Lowered",  "Raised",   "Dint",    "Bump",
                                     "Single", "HorzLine", "HorzEdge", "VertLine", "VertEdge"};
        for (int style = ptfsNone; style <= ptfsVertEdge; ++style) {
            auto* frame = new TPTFrame(nullptr, this);
            frame->setGeometry(10 + (style % 4) * 104, 10 + (style / 4) * 58, 96, 48);
            frame->SetFrameStyle(TPTFrameStyle(style));
            frame->SetCaption(QLatin1String(names[style]));
        }
        auto* group = new TPTGroup(nullptr, this);
        group->setGeometry(322, 126, 98, 56);
        group->SetCaption(QStringLiteral("Site"));
        auto* inside = new QPushButton(QStringLiteral("Inside"), group);
        inside->setGeometry(group->contentsRect().adjusted(4, 4, -4, -4));
        auto* pane = new TPTPane(nullptr, this);
        pane->setGeometry(10, 190, 410, 50);
        pane->SetCaption(QStringLiteral("A pane, left-aligned caption cut with an ellipsis when it is far too long"));
        pane->SetAlignment(taLeftJustify);
    }
};

void ShowAuxiliaryDialogs(TPictureTaker& Taker)
{
    const QString key = QStringLiteral("key");
    const QString type = QStringLiteral("type");
    // The group's write cell of the permission grid, clicked.
    auto groupWrite = [](QDialog& Dialog) {
        auto& form = static_cast<TFtpPropertiesDlgFrm&>(Dialog);
        QWidget& grid = *form.grdPermissions->viewport();
        return ClickAt(Dialog, grid, form.grdPermissions->visualRect(form.grdPermissions->model()->index(1, 2)).center());
    };
    // "79" typed into the numeric field and Enter.
    auto invalidNumber = [&](QDialog& Dialog) {
        auto& form = static_cast<TFtpPropertiesDlgFrm&>(Dialog);
        QStringList args = ClickAt(Dialog, *form.txtNumeric, QPoint(30, 10));
        args << key << QStringLiteral("ctrl+a") << QStringLiteral("7") << QStringLiteral("9") << QStringLiteral("Return");
        return args;
    };
    Taker.Shots = {{QStringLiteral("replace-single"), {}, QStringLiteral("Return")},
                   {QStringLiteral("replace-multiple"), Keys({key, QStringLiteral("Tab")}), QStringLiteral("Escape")},
                   {QStringLiteral("delete"), {}, QStringLiteral("Return")},
                   {QStringLiteral("close"), {}, QStringLiteral("Escape")},
                   {QStringLiteral("search"), Keys({type, QStringLiteral("index.html")}), QStringLiteral("Return")},
                   {QStringLiteral("properties-group-write"), groupWrite, QStringLiteral("Escape")},
                   {QStringLiteral("properties-after-invalid-numeric"), invalidNumber, QStringLiteral("Escape")},
                   {QStringLiteral("properties-invalid-numeric"), {}, QStringLiteral("Return")},
                   {QStringLiteral("about"), {}, QStringLiteral("Return")},
                   {QStringLiteral("html-label"), {}, QStringLiteral("Escape")},
                   {QStringLiteral("frames"), {}, QStringLiteral("Escape")}};
    TConfirmReplaceDlgFrm::Execute(QStringLiteral("index.html"), QStringLiteral("12.4 KB"),
                                   QStringLiteral("3/14/2024 10:02 AM"), QStringLiteral("14.9 KB"),
                                   QStringLiteral("6/2/2024 4:45 PM"), false);
    TConfirmReplaceDlgFrm::Execute(QStringLiteral("style.css"), QStringLiteral("2.1 KB"),
                                   QStringLiteral("1/5/2024 9:00 AM"), QStringLiteral("2.3 KB"),
                                   QStringLiteral("6/2/2024 4:46 PM"), true);
    TConfirmDeleteDlgFrm::Execute(QStringLiteral("Confirm Folder Delete"),
                                  QStringLiteral("Are you sure you want to delete 'images' and all of its contents?"));
    ShowCloseAppDlg();
    bool lookInAll = true, matchCase = false;
    QString text;
    TSearchDlgFrm::Execute(lookInAll, matchCase, text);
    std::printf("search answered '%s'\n", qPrintable(text));
    TFtpPropertiesAnswer answer;
    for (int i = 0; i < 2; ++i)
        TFtpPropertiesDlgFrm::Execute(QStringLiteral("index.html"), QStringLiteral("/pub/www/site"),
                                      QStringLiteral("6/2/2024 4:45 PM"), QStringLiteral("HTML document"),
                                      QStringLiteral("14.9 KB"), QStringLiteral("-rwxr-xr-x"),
                                      FileTypeIcon(QStringLiteral("index.html")), answer);
    TSplashScreen::ShowAbout();
    THTMLabelWindow labelWindow;
    labelWindow.ShowModal();
    TFramesWindow framesWindow;
    framesWindow.ShowModal();

    TFtpProgressDlgFrm* progress = GetFtpProgressDlgFrm();
    progress->SetMultiRange(0, 7);
    for (int i = 0; i < 3; ++i)
        progress->SetMultiProgress(true, -1);
    progress->SetFileProgress(64, QString());
    progress->SetTransferInfo({QStringLiteral("Downloading index.html"), QStringLiteral("/pub/www/site/index.html"),
                               QStringLiteral("/home/me/site/index.html"), QStringLiteral("00:00:04"),
                               QStringLiteral("00:00:02"), QStringLiteral("3.7 KB/sec"),
                               QStringLiteral("9.5 KB of 14.9 KB")});
    Taker.Picture(*progress, QStringLiteral("progress-transfer"));
    progress->hide();
    TBasicProgressFrm* zipping = GetBasicProgressFrm();
    zipping->SetStatus(QStringLiteral("Zipping"), QStringLiteral("index.html"));
    zipping->SetProgress(40);
    Taker.Picture(*zipping, QStringLiteral("progress-basic"));
    zipping->hide();
}

// The server-profile wizard through its seven steps, typed into as a person would; then the site
// manager in both modes and the four pages of the program options.
void ShowSiteDialogs(TPictureTaker& Taker)
{
    const QString key = QStringLiteral("key");
    const QString type = QStringLiteral("type");
    auto wizard = [&](QDialog& Dialog) {
        const WId window = Dialog.winId();
        // What is typed on each step before Next (Return, the default button), one xdotool call each.
        const QList<QStringList> typed[] = {{},
                                            {{type, QStringLiteral("My Web Site")}},
                                            {{type, QStringLiteral("webmaster")},
                                             {key, QStringLiteral("Tab")},
                                             {type, QStringLiteral("secret")}},
                                            {{type, QStringLiteral("ftp.example.com")},
                                             {key, QStringLiteral("Tab")},
                                             {type, QStringLiteral("public_html")}},
                                            {{key, QStringLiteral("Down")}},
                                            {}};
        for (int step = 0; step < 6; ++step) {
            for (const QStringList& command : typed[step])
                XdoTool(window, command);
            PumpFor(300);
            Taker.Picture(Dialog, QStringLiteral("wizard-step%1").arg(step));
            if (step == 5) { // the connection type: Socks5, as a person picks it
                auto* client = Dialog.findChild<TWizServerCliFrm*>();
                client->cbConnectionType->setFocus();
                XdoTool(window, {key, QStringLiteral("End")});
                PumpFor(300);
                Taker.Picture(Dialog, QStringLiteral("wizard-step5-socks"));
            }
            XdoTool(window, {key, QStringLiteral("Return")});
            PumpFor(300);
        }
        return QStringList();
    };
    auto page = [&](const QString& Name) {
        return [&Taker, Name](QDialog& Dialog) {
            auto& form = static_cast<TAppSettingsDlgFrm&>(Dialog);
            for (int tab = 0; tab < 3; ++tab) {
                form.tabSettings->setCurrentIndex(tab);
                Taker.Picture(Dialog, QStringLiteral("%1-page%2").arg(Name).arg(tab));
            }
            form.tabSettings->setCurrentIndex(3);
            return QStringList();
        };
    };
    Taker.Shots = {{QStringLiteral("wizard-step6"), wizard, QStringLiteral("Return")},
                   {QStringLiteral("site-manager"), Keys({key, QStringLiteral("Down")}), QStringLiteral("Escape")},
                   {QStringLiteral("site-manager-connect"), {}, QStringLiteral("Escape")},
                   {QStringLiteral("options-page3"), page(QStringLiteral("options")), QStringLiteral("Escape")}};
    std::printf("wizard returned %d\n", RunServerProfileWizard());
    for (const char* name : {"Home Server", "Backup"}) {
        TUploadProfileItem* profile = UploadProfiles()->Add();
        profile->ItemName = QLatin1String(name);
        profile->HostName = QStringLiteral("ftp.example.org");
    }
    Firewalls()->Add()->ItemName = QStringLiteral("Office");
    for (const bool connect : {false, true}) {
        TServerEditFrm form(nullptr, DialogKey(QStringLiteral("Servers")));
        form.ConnectMode = connect;
        form.LoadTreeBranch(UploadProfiles()->Profiles(), nullptr);
        form.FillComboWithItems(form.cbFirewall, Firewalls()->Firewalls());
        form.ShowModal();
    }
    TFtpAppSettings& settings = *AppSettings();
    settings.PlaySounds = true;
    settings.SoundBitField = 0b11011;
    settings.SoundConnect = QStringLiteral("connect.wav");
    settings.SoundCompleted = QStringLiteral("complete.wav");
    settings.SoundError = QStringLiteral("error.wav");
    settings.SoundGet = settings.SoundPut = QStringLiteral("blip.wav");
    settings.EditFileFilters()->Add(QStringLiteral("HTML=*.htm;*.html;*.shtml[html]"));
    settings.EditFileFilters()->Add(QStringLiteral("Perl=*.pl;*.pm[pl]"));
    settings.Extensions()->Add(QStringLiteral(".txt"));
    settings.Extensions()->Add(QStringLiteral(".htm"));
    ExecuteAppSettingsDlg(settings, *Firewalls());
}

// The editor's find and replace dialog, modeless: typed into, then OK with its prompt (answered
// by Escape, which cancels).
void ShowFindReplaceDialog(TPictureTaker& Taker)
{
    TCustomSyntaxMemo* memo = NewReviewMemo("one two one\rthree one\r");
    TEdReplFrm* form = GetEdReplFrm();
    form->Execute(QStringLiteral("one"), memo, TEdReplFrm::fmReplace);
    Taker.Picture(*form, QStringLiteral("find-replace"));
    XdoTool(form->winId(), ClickAt(*form, *form->cbReplHistoryBox, QPoint(30, 12))
                               << QStringLiteral("type") << QStringLiteral("1"));
    PumpFor(500);
    Taker.Picture(*form, QStringLiteral("find-replace-typed"));
    Taker.Shots = {{QStringLiteral("find-replace-prompt"), {}, QStringLiteral("Escape")}};
    XdoTool(form->winId(), ClickAt(*form, *form->btnOk, QPoint(20, 12)));
    PumpFor(3000, [] { return false; });
    form->Execute({}, memo, TEdReplFrm::fmFind);
    Taker.Picture(*form, QStringLiteral("find"));
    GetEdReplFrm(1);
    FreeReviewMemo(memo);
}

// A remote bookmark with a comment typed after its text, then a local one.
void ShowBookmarkProperties(TPictureTaker& Taker)
{
    auto typeComment = [](QDialog& Dialog) {
        XdoTool(Dialog.winId(), {QStringLiteral("key"), QStringLiteral("End")});
        XdoTool(Dialog.winId(), {QStringLiteral("type"), QStringLiteral(" (mirror)")});
        return QStringList({QStringLiteral("key"), QStringLiteral("Tab")});
    };
    Taker.Shots = {{QStringLiteral("bookmark-remote"), typeComment, QStringLiteral("Return")},
                   {QStringLiteral("bookmark-local"), {}, QStringLiteral("Escape")}};
    for (const int kind : {RemoteBookmark, LocalBookmark}) {
        TBookmarkPropertiesFrm form;
        form.cbHost->addItems({QStringLiteral("Alpha"), QStringLiteral("Home Server")});
        form.SetBookmark(QStringLiteral("Alpha: docs"), kind ? QStringLiteral("/www/docs/") : QDir::homePath(),
                         QStringLiteral("Alpha"), DateStampNow(), kind ? DateStampNow() : QString(), {}, kind);
        const int result = form.ShowModal();
        std::printf("bookmark %d: result %d, modified %d, comment '%s'\n", kind, result, int(form.Modified),
                    qPrintable(form.txtComment->text()));
    }
}

// The HTML page dialog's three pages (the image page over a folder of pictures, one of them chosen),
// the Font Wizard typed into, and the image viewer with a local JPEG, a remote animated GIF and a
// file it cannot show.
void ShowHtmlDialogs(TPictureTaker& Taker)
{
    QTemporaryDir pictures;
    const QString folder = pictures.path() + QLatin1Char('/');
    QDir().mkdir(folder + QStringLiteral("old pictures"));
    QImage photo(240, 160, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y, qRgb(x, 90 + y / 2, 255 - x));
    photo.save(folder + QStringLiteral("harbour.jpg"), "JPG");
    TBitmap frame;
    frame.AssignImage(photo.scaled(64, 48));
    frame.SaveToFile(folder + QStringLiteral("buoy.bmp"));
    TGIFImage gif;
    gif.AddFrame(&frame);
    frame.AssignImage(photo.scaled(64, 48).mirrored(true, false));
    gif.AddFrame(&frame);
    gif.SaveToFile(folder + QStringLiteral("flag.gif"));
    QFile broken(folder + QStringLiteral("broken.wbmp"));
    if (broken.open(QIODevice::WriteOnly))
        broken.write(QByteArray("\x05\x00\x08\x08", 4));
    broken.close();

    const QString key = QStringLiteral("key");
    const QString type = QStringLiteral("type");
    // The picture chosen in the list by its first letters, as a person types them.
    auto chooseHarbour = [](QDialog& Dialog) {
        QWidget& list = *Dialog.findChild<QWidget*>(QStringLiteral("lvShell"));
        PumpFor(1000);
        return ClickAt(Dialog, list, QPoint(40, 10)) << QStringLiteral("type") << QStringLiteral("harb");
    };
    Taker.Shots = {{QStringLiteral("html-quick-start"), Keys({type, QStringLiteral("Harbour news")})},
                   {QStringLiteral("html-link"), Keys({type, QStringLiteral(" more")})},
                   {QStringLiteral("html-image"), chooseHarbour},
                   {QStringLiteral("font-wizard"), Keys({type, QStringLiteral("Georgia")})},
                   {QStringLiteral("image-viewer-local"), {}},
                   {QStringLiteral("image-viewer-remote"), {}},
                   {QStringLiteral("image-viewer-error"), {}}};
    QString html;
    TEditPageFrm::Execute(epmQuickStart, QString(), html);
    TEditPageFrm::Execute(epmLink, QStringLiteral("Read the harbour news"), html);
    TEditPageFrm::Execute(epmImage, folder, html);
    TEditPageFrm2::Execute(0, QStringLiteral("Harbour"), html);
    const QIcon icon = FileTypeIcon(QStringLiteral("a.jpg"));
    TImageViewFrm::Execute(folder + QStringLiteral("harbour.jpg"), QString(), html, false, icon,
                           QStringLiteral("JPEG image"));
    TImageViewFrm::Execute(folder + QStringLiteral("flag.gif"), QStringLiteral("/pub/www/images/flag.gif"), html,
                           true, FileTypeIcon(QStringLiteral("a.gif")), QStringLiteral("GIF image"));
    TImageViewFrm::Execute(folder + QStringLiteral("broken.wbmp"), QString(), html, false,
                           FileTypeIcon(QStringLiteral("a.wbmp")), QStringLiteral("WBMP image"));
}

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
    initImaging();
    initShell();
    initDialogs();
    initEditor();
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + QLatin1Char('/');
    QDir().mkpath(folder);

    TPictureTaker taker(folder);
    SetPromptService(&taker);
    // A second argument names the one group to show.
    const QString only = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (only == QStringLiteral("find-replace")) {
        ShowFindReplaceDialog(taker);
        return 0;
    }
    if (only == QStringLiteral("html")) {
        ShowHtmlDialogs(taker);
        return 0;
    }

    // The drift check first: the first dialog is placed before any frame is known.
    QString value;
    for (const bool sizeable : {true, false}) {
        std::printf("%s dialog, five open/close cycles:\n", sizeable ? "sizeable" : "fixed-size input");
        for (int cycle = 1; cycle <= 5; ++cycle) {
            taker.Shots = {TShot{QString(), {}}};
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

    taker.Shots = {{QStringLiteral("input-box"), {}}, {QStringLiteral("input-box-password"), {}},
                   {QStringLiteral("remembered-answer"), {}}, {QStringLiteral("remembered-captions"), {}}};
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

    ShowAuxiliaryDialogs(taker);
    ShowSiteDialogs(taker);
    ShowBookmarkProperties(taker);
    ShowHtmlDialogs(taker);
    FreeGlobalSettings();
    THiveStore::CurrentUser().Flush();
    return 0;
}
