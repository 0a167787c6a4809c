// TPTCustomGroup and TPTGroup, the container that frames its inside, and TPTPane, a group that is
// one pane of a splitter.
#pragma once

#include "dialogs/framed_control.h"

// The frame lies outside the inside: the style's inset is the widget's contents margins, so
// layouts and children kept within contentsRect() never overlap it. The inset follows the style,
// the caption (for the group style) and the font.
class TPTCustomGroup : public TPTFramedControl {
    Q_OBJECT
public:
    explicit TPTCustomGroup(TComponent* AOwner = nullptr, QWidget* Parent = nullptr,
                            TPTFrameStyle Style = ptfsGroup);

    void SetFrameStyle(TPTFrameStyle Value) override;
    void SetCaption(const QString& Value) override;

    std::function<void(TObject* Sender)> OnClick;
    std::function<void(TObject* Sender)> OnDblClick;

protected:
    QRect CaptionRect() const override { return contentsRect(); }

    void changeEvent(QEvent* E) override;
    void mouseReleaseEvent(QMouseEvent* E) override;
    void mouseDoubleClickEvent(QMouseEvent* E) override;

private:
    void UpdateInset();
};

class TPTGroup : public TPTCustomGroup {
    Q_OBJECT
public:
    using TPTCustomGroup::TPTCustomGroup;
};

class TPTPane : public TPTGroup {
    Q_OBJECT
public:
    explicit TPTPane(TComponent* AOwner = nullptr, QWidget* Parent = nullptr);

    int MinSize = 20;
    int Index = 0;
};
