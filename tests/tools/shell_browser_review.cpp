// A test-only program for looking at the shell browsing controls as a person would: a shell tree
// below a base folder beside the shell list it drives.
//
//   shell_browser_review <base folder> [<folder to select>]
#include "platform/platform_init.h"
#include "platform/rtl/application.h"
#include "platform/widgets/platform_widgets_init.h"
#include "shell/shell_init.h"
#include "shell/shell_list.h"
#include "shell/shell_tree.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QSplitter>

int main(int argc, char** argv)
{
    QApplication qt(argc, argv);
    TApplication app;
    initPlatform();
    initPlatformWidgets();
    initShell();
    if (argc < 2)
        return 2;

    QWidget window;
    window.setWindowTitle(QStringLiteral("Shell browser review"));
    auto* layout = new QHBoxLayout(&window);
    auto* splitter = new QSplitter(&window);
    layout->addWidget(splitter);
    auto* tree = new TPTShellTree(splitter);
    auto* list = new TPTShellList(splitter);
    list->SetViewStyle(vsReport);
    list->SetMultiSelect(true);
    splitter->addWidget(tree);
    splitter->addWidget(list);
    splitter->setSizes({220, 480});
    tree->BaseFolder()->SetPath(QString::fromLocal8Bit(argv[1]));
    tree->SetShellList(list);
    if (argc > 2)
        tree->SetFolderPath(QString::fromLocal8Bit(argv[2]));
    window.resize(720, 420);
    window.show();
    return qt.exec();
}
