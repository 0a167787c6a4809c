// TEditFrame: the strip above the editor that names the current document; its owner paints the
// document's kind picture at its left.
#pragma once

#include "platform/rtl/object.h"

#include <QWidget>
#include <functional>

class TEditFrame : public QWidget, public TObject {
    Q_OBJECT
public:
    explicit TEditFrame(QWidget* Parent = nullptr);

    QString Caption() const { return caption_; }
    void SetCaption(const QString& Value);

    // Paints the picture before the caption, which starts after it.
    std::function<void(QPainter& Canvas, const QRect& Rect)> OnPaint;

protected:
    void paintEvent(QPaintEvent* Event) override;

private:
    QString caption_;
};
