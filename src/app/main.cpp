// Program entry: starts the application and shows the main form.
#include "app/main_form.h"
#include "editor/editor_init.h"
#include "platform/platform_init.h"
#include "platform/rtl/application.h"

int main(int argc, char** argv)
{
    TApplication app(argc, argv);
    TApplication::setApplicationName(QStringLiteral("tarnwick-halyard"));
    app.SetTitle(QStringLiteral("Tarnwick Halyard FTP 5.2"));
    initPlatform();
    initEditor();

    TTarnwickFTPApp form;
    form.show();
    return app.exec();
}
