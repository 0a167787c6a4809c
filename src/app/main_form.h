// TTarnwickFTPApp: the program's main window.
#pragma once

#include "platform/rtl/object.h"

#include <QMainWindow>

class TTarnwickFTPApp : public QMainWindow, public TComponent {
    Q_OBJECT
public:
    explicit TTarnwickFTPApp(TComponent* AOwner = nullptr);
    ~TTarnwickFTPApp() override;
};
