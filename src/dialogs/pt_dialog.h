// TPTDialog: the base of the dialogs placed on forms as components and run modally by Execute,
// with the size and state their form keeps between runs.
#pragma once

#include "platform/rtl/events.h"
#include "platform/rtl/object.h"

#include <QString>
#include <cstdint>

class TStream;

enum TWindowState : std::uint8_t { wsNormal, wsMinimized, wsMaximized };

// Execute runs the dialog's own step once at a time. GUI thread only.
class TPTDialog : public TComponent {
public:
    explicit TPTDialog(TComponent* AOwner = nullptr) : TComponent(AOwner) {}
    ~TPTDialog() override = default;

    // Runs the dialog; true when the user confirmed it. A call while one runs raises Exception
    // "<class name> already executing".
    bool Execute();
    bool Executing() const { return executing_; }
    // The class name the texts of the dialog's failures give.
    QString ClassName() const override { return QStringLiteral("TPTDialog"); }

    // The size of the form (-1: as designed), set back from the form after each run.
    int FormWidth = -1;
    int FormHeight = -1;
    TWindowState FormWindowState = wsNormal;
    QString Title;
    TNotifyEvent OnInitialized;
    TNotifyEvent OnFormShow;
    TNotifyEvent OnFormClose;

protected:
    // The dialog's own run.
    virtual bool DoExecute() = 0;

private:
    bool executing_ = false;
};

// The form data of Dialog in a stream: its width and its height as little-endian 32-bit integers,
// then its window state as one byte.
void WriteDialogFormData(TStream& Stream, const TPTDialog& Dialog);
void ReadDialogFormData(TStream& Stream, TPTDialog& Dialog);
