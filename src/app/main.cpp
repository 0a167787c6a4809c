// Program entry: starts the application and shows the main form.
#include "app/main_form.h"
#include "imaging/imaging_init.h"
#include "platform/platform_init.h"
#include "platform/registry/hive_store.h"
#include "platform/rtl/application.h"

int main(int argc, char** argv)
{
    TApplication app(argc, argv);
    TApplication::setApplicationName(QStringLiteral("tarnwick-halyard"));
    app.SetTitle(QStringLiteral("Tarnwick Halyard FTP 5.2"));
    initPlatform();
    initImaging();

    int result;
    {
        TTarnwickFTPApp form;
        form.show();
        result = app.exec();
    }
    // Whatever is still open or unwritten in the user's registry goes to its file now.
    THiveStore::CurrentUser().Flush();
    return result;
}
