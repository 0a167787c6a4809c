// TSM_HotKey: a read-only edit that takes every key pressed in it, Tab, Enter, Escape and the
// arrows included, as a short cut and shows the short cut's text.
#pragma once

#include "platform/rtl/object.h"
#include "platform/ui/vkeys.h"

#include <QLineEdit>
#include <functional>

class TSM_HotKey : public QLineEdit, public TComponent {
    Q_OBJECT
public:
    explicit TSM_HotKey(QWidget* Parent = nullptr);

    // The short cut captured (0: none); setting it shows its text.
    TShortCut HotKey() const { return hotKey_; }
    void SetHotKey(TShortCut Value);

    // The short cut changed.
    std::function<void(TObject* Sender)> OnChange;

protected:
    // Tab and Backtab are keys like the others here, not focus moves.
    bool event(QEvent* Event) override;
    // Every key becomes the short cut; none goes on to the dialog (Enter and Escape neither).
    void keyPressEvent(QKeyEvent* Event) override;

private:
    TShortCut hotKey_ = 0;
};
