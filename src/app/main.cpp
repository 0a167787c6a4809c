// Program entry: starts the application, runs the libraries' start-up work and shows the main form.
#include "app/main_form.h"
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
    // The global settings objects save themselves as they are freed; whatever is then still open
    // or unwritten in the user's registry goes to its file.
    FreeGlobalSettings();
    THiveStore::CurrentUser().Flush();
    return result;
}
