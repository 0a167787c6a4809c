// TWiz2kWizCliFrm: the base of a wizard's client form, docked inside the host frame.
#pragma once

#include "dialogs/wizard/wiz_interfaces.h"

#include <QWidget>

// 340 x 235 as designed, without a border; docked into the host that owns it, whose IWizHost2 it
// keeps. The host's questions go to the virtual methods below.
class TWiz2kWizCliFrm : public QWidget, public IWizClient {
    Q_OBJECT
public:
    // Owner is the host; with a host offering IWizHost2 the client docks into it.
    explicit TWiz2kWizCliFrm(QWidget* Owner);

    bool CanGoBack() override { return false; }
    bool CanGoNext() override { return true; }
    bool IsLastStep() override { return false; }
    void CloseQuery(bool& CanClose, int ModalResult) override = 0;
    void Next() override = 0;
    void Back() override = 0;
    void Release() override;
    void Show() override;

protected:
    // The host, or null.
    IWizHost2* Host() const { return host_; }

private:
    IWizHost2* host_ = nullptr;
};
