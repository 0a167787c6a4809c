// Program entry: starts the application and shows the main form.
#include "app/main_form.h"
#include "editor/editor_init.h"
#include "imaging/imaging_init.h"
#include "platform/platform_init.h"
#include "platform/registry/hive_store.h"
#include "platform/rtl/application.h"
#include "settings/global_objects.h"

int main(int argc, char** argv)
{
    TApplication app(argc, argv);
    TApplication::setApplicationName(QStringLiteral("tarnwick-halyard"));
    app.SetTitle(QStringLiteral("Tarnwick Halyard FTP 5.2"));
    initPlatform();
    initImaging();
    initEditor();

    int result;
    {
        TTarnwickFTPApp form;
        form.show();
        result = app.exec();
    }
    // The global settings objects save themselves as they are freed; whatever is then still open
    // or unwritten in the user's registry goes to its file.
    FreeGlobalSettings();
    THiveStore::CurrentUser().Flush();
    return result;
}
