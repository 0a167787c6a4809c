// A review program, not a test: shows a shell combo linked to a shell tree with its list dropped
// down, then the folder-browse dialog, and saves a picture of the screen with each. Run it under
// xvfb-run with openbox: folder_browse_screenshots <output folder> <folder to show>
#include "dialogs/dialogs_init.h"
#include "dialogs/folder_browse_dlg.h"

#include "shell/shell_combo.h"

#include "platform/platform_init.h"
#include "platform/widgets/platform_widgets_init.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    initPlatform();
    initPlatformWidgets();
    initDialogs();
    if (argc < 3)
        return 2;
    const QString out = QString::fromLocal8Bit(argv[1]) + '/';
    const QString folder = QString::fromLocal8Bit(argv[2]);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Shell combo"));
    auto* layout = new QVBoxLayout(&window);
    auto* combo = new TPTShellCombo(&window);
    auto* tree = new TPTShellTree(&window);
    layout->addWidget(combo);
    layout->addWidget(tree);
    window.resize(420, 480);
    window.move(40, 40);
    combo->SetShellTree(tree);
    window.show();
    tree->CreateWnd();
    tree->FillRoot();
    combo->CreateWnd();
    combo->GetFolder()->SetPath(folder);

    QTimer::singleShot(600, [&] { combo->showPopup(); });
    QTimer::singleShot(1400, [&] {
        window.screen()->grabWindow(0).save(out + QStringLiteral("combo-screen.png"));
        combo->hidePopup();
        TPTFolderBrowseDlg dlg;
        dlg.Options = TPTCustomFolderBrowseDlg::DefaultOptions | ptfbCreateDeleteButtons;
        dlg.StatusText = QStringLiteral("Choose the folder for the downloads.");
        dlg.SetSelectedPath(folder);
        dlg.OnInitialized = [&](TObject* Sender) {
            auto* form = dynamic_cast<QWidget*>(Sender);
            QTimer::singleShot(800, [form, out] {
                form->screen()->grabWindow(0).save(out + QStringLiteral("browse-screen.png"));
                form->close();
            });
        };
        dlg.Execute();
        app.quit();
    });
    return app.exec();
}
