// TTarnwickFTPApp.
#include "app/main_form.h"

TTarnwickFTPApp::TTarnwickFTPApp(TComponent* AOwner) : TComponent(AOwner)
{
    setObjectName(QStringLiteral("TarnwickFTPApp"));
    resize(900, 640);
}

TTarnwickFTPApp::~TTarnwickFTPApp()
{
    // Owned components may save themselves or fire events: free them before the window goes.
    DestroyComponents();
}
