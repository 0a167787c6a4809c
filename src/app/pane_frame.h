// TPaneFrame: the caption strip over a pane of the main window, drawn highlighted while the pane
// is the active one.
#pragma once

#include "platform/rtl/object.h"

#include <QWidget>
#include <functional>

class TImageList;

// Tag 1 marks the active pane. The strip shows a caption tab with the pane's picture and caption;
// clicking it makes the pane active (OnClick).
class TPaneFrame : public QWidget, public TObject {
    Q_OBJECT
public:
    TPaneFrame(const QString& Name, TImageList& Images, QWidget* Parent = nullptr);

    QString Caption() const { return caption_; }
    void SetCaption(const QString& Value);
    bool Active() const { return Tag == 1; }
    // Sets Tag and repaints.
    void SetActive(bool Value);

    std::function<void(TPaneFrame* Sender)> OnClick;

protected:
    void paintEvent(QPaintEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;

private:
    TImageList& images_;
    QString caption_;
};
