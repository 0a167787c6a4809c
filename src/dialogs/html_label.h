// THTMLabel: a label that shows a small HTML subset with word wrapping, fonts, colours, pictures,
// aligned paragraphs and links.
#pragma once

#include "dialogs/html_layout.h"
#include "platform/rtl/object.h"

#include <QColor>
#include <QStringList>
#include <QWidget>
#include <functional>

class TImageList;

enum TBevelCut { bvNone, bvLowered, bvRaised };
enum TBorderStyle { bsNone, bsSingle };

// A link whose target holds "://" or "mailto:" is opened by the shell when clicked; any other
// goes to OnAnchorClick. The lines of HTMLText are joined without separators, so only tags break
// lines. With AutoSizing the label takes the width of its text + 6 and grows to its height + 6.
class THTMLabel : public QWidget, public TComponent {
    Q_OBJECT
public:
    explicit THTMLabel(TComponent* AOwner = nullptr, QWidget* Parent = nullptr);

    const QStringList& HTMLText() const { return htmlText_; }
    void SetHTMLText(const QStringList& Value);
    // The pictures of "idx:" sources (not owned: whoever sets a list keeps it while the label shows).
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* Value);
    QColor URLColor() const { return urlColor_; }
    void SetURLColor(const QColor& Value);
    bool AutoSizing() const { return autoSizing_; }
    void SetAutoSizing(bool Value);
    bool AnchorHint = false;
    TBevelCut BevelInner = bvNone;
    TBevelCut BevelOuter = bvNone;
    int BevelWidth = 1;
    int BorderWidth = 0;
    TBorderStyle BorderStyle = bsNone;

    std::function<void(TObject* Sender, const QString& Anchor)> OnAnchorClick;
    std::function<void(TObject* Sender, const QString& Anchor)> OnAnchorEnter;
    std::function<void(TObject* Sender, const QString& Anchor)> OnAnchorExit;

    // The layout as the label paints it now.
    THTMLLayout Layout() const;
    // The words without the tags.
    QString PlainText() const { return Layout().PlainText; }
    // The link target under X, Y; empty when none.
    QString HitTest(int X, int Y) const;

protected:
    void paintEvent(QPaintEvent* E) override;
    void mouseMoveEvent(QMouseEvent* E) override;
    void mouseReleaseEvent(QMouseEvent* E) override;
    void changeEvent(QEvent* E) override;
    bool event(QEvent* E) override;

private:
    // The rectangle inside the bevels and the border.
    QRect TextRect() const;
    THTMLLayoutInput Input(const QRect& Rect, bool Clip) const;
    void Changed();

    QStringList htmlText_;
    TImageList* images_ = nullptr;
    QColor urlColor_ = Qt::blue;
    bool autoSizing_ = false;
    // The link under the mouse.
    QString anchor_;
};
