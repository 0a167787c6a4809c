// Program entry: starts the application, runs the libraries' start-up work and shows the main form.
#include "app/main_form.h"
#include "dialogs/basic_progress_frm.h"
#include "dialogs/ed_repl_frm.h"
#include "platform/registry/hive_store.h"
#include "platform/rtl/application.h"
#include "settings/global_objects.h"

#include <QApplication>

void runFolderInits(); // generated from the libraries the program links

int main(int argc, char** argv)
{
    QApplication qt(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tarnwick-halyard"));
    TApplication app;
    app.SetTitle(QStringLiteral("Tarnwick Halyard FTP 5.2"));
    runFolderInits();

    int result;
    {
        TTarnwickFTPApp form;
        form.show();
        result = QApplication::exec();
    }
    // The window's program-wide objects go in this order: the settings objects (which save
    // themselves as they are freed), the basic progress window and the find dialog (which keeps
    // its texts); whatever is then still open or unwritten in the user's registry goes to its file.
    FreeGlobalSettings();
    GetBasicProgressFrm(true);
    GetEdReplFrm(1);
    THiveStore::CurrentUser().Flush();
    return result;
}
