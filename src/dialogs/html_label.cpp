// THTMLabel.
#include "dialogs/html_label.h"

#include "platform/rtl/events.h"
#include "platform/shellapi/shell_execute.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace {

// How far the AutoSizing layout may reach beyond the label.
constexpr int AutoSizeWidth = 65535;
constexpr int AutoSizeHeight = 250;
// The room AutoSizing leaves around the text.
constexpr int AutoSizeExtra = 6;
// Where a link's hint shows beside the mouse.
const QPoint HintOffset(10, -10);

bool OpensInShell(const QString& Anchor)
{
    return Anchor.contains(QLatin1String("://")) || Anchor.contains(QLatin1String("mailto:"));
}

void PaintBevel(QPainter& Painter, QRect& Rect, TBevelCut Cut, int Width, const QPalette& Palette)
{
    if (Cut == bvNone)
        return;
    const QColor shadow = Palette.color(QPalette::Dark), highlight = Palette.color(QPalette::Light);
    const QColor topLeft = Cut == bvLowered ? shadow : highlight;
    const QColor bottomRight = Cut == bvLowered ? highlight : shadow;
    for (int i = 0; i < Width; ++i) {
        Painter.setPen(topLeft);
        Painter.drawLine(Rect.topLeft(), Rect.topRight());
        Painter.drawLine(Rect.topLeft(), Rect.bottomLeft());
        Painter.setPen(bottomRight);
        Painter.drawLine(Rect.bottomLeft(), Rect.bottomRight());
        Painter.drawLine(Rect.topRight(), Rect.bottomRight());
        Rect.adjust(1, 1, -1, -1);
    }
}

} // namespace

THTMLabel::THTMLabel(TComponent* AOwner, QWidget* Parent) : QWidget(Parent), TComponent(AOwner)
{
    setMouseTracking(true);
}

void THTMLabel::SetHTMLText(const QStringList& Value)
{
    htmlText_ = Value;
    Changed();
}

void THTMLabel::SetImages(TImageList* Value)
{
    images_ = Value;
    Changed();
}

void THTMLabel::SetURLColor(const QColor& Value)
{
    urlColor_ = Value;
    Changed();
}

void THTMLabel::SetAutoSizing(bool Value)
{
    autoSizing_ = Value;
    Changed();
}

void THTMLabel::Changed()
{
    if (autoSizing_) {
        const QRect r = TextRect();
        const THTMLLayout layout = LayoutHTML(Input(r.adjusted(0, 0, AutoSizeWidth, AutoSizeHeight), false));
        const int frame = width() - r.width();
        const int newWidth = layout.Width + AutoSizeExtra + frame;
        const int newHeight = qMax(height(), layout.Height + AutoSizeExtra + (height() - r.height()));
        if (newWidth != width() || newHeight != height())
            resize(newWidth, newHeight);
    }
    update();
}

QRect THTMLabel::TextRect() const
{
    QRect r = rect();
    if (BevelInner != bvNone || BevelOuter != bvNone)
        r.adjust(BevelWidth, BevelWidth, -BevelWidth, -BevelWidth);
    if (BorderStyle == bsSingle)
        r.adjust(BorderWidth, BorderWidth, -BorderWidth, -BorderWidth);
    return r;
}

THTMLLayoutInput THTMLabel::Input(const QRect& Rect, bool Clip) const
{
    THTMLLayoutInput input;
    input.Text = htmlText_.join(QString());
    input.Rect = Rect;
    input.Clip = Clip;
    input.Font = font();
    input.FontColor = palette().color(QPalette::WindowText);
    input.URLColor = urlColor_;
    input.Palette = palette();
    input.Images = images_;
    return input;
}

THTMLLayout THTMLabel::Layout() const
{
    return LayoutHTML(Input(TextRect(), true));
}

QString THTMLabel::HitTest(int X, int Y) const
{
    return Layout().AnchorAt(QPoint(X, Y));
}

void THTMLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    QRect r = rect();
    PaintBevel(painter, r, BevelOuter, BevelWidth, palette());
    PaintBevel(painter, r, BevelInner, BevelWidth, palette());
    if (BorderStyle == bsSingle && BorderWidth > 0) {
        painter.setPen(QPen(Qt::black, BorderWidth));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(BorderWidth / 2, BorderWidth / 2, -(BorderWidth + 1) / 2, -(BorderWidth + 1) / 2));
    }
    for (const THTMLDrawRun& run : Layout().Runs) {
        switch (run.Kind) {
        case THTMLDrawRun::rkText:
            painter.setFont(run.Font);
            painter.setPen(run.Color);
            painter.drawText(run.Box, Qt::AlignLeft | Qt::AlignBottom | Qt::TextSingleLine | Qt::TextExpandTabs, run.Text);
            break;
        case THTMLDrawRun::rkPicture: painter.drawImage(run.Box, run.Picture); break;
        case THTMLDrawRun::rkRule: painter.fillRect(run.Box, run.Color); break;
        case THTMLDrawRun::rkFill: painter.fillRect(run.Box, run.Color); break;
        }
    }
}

void THTMLabel::mouseMoveEvent(QMouseEvent* E)
{
    QWidget::mouseMoveEvent(E);
    const QPoint at = E->position().toPoint();
    const QString anchor = HitTest(at.x(), at.y());
    const bool hand = testAttribute(Qt::WA_SetCursor) && cursor().shape() == Qt::PointingHandCursor;
    if (!anchor.isEmpty() && (anchor != anchor_ || !hand)) {
        anchor_ = anchor;
        if (AnchorHint)
            QToolTip::hideText();
        setCursor(Qt::PointingHandCursor);
        Fire(OnAnchorEnter, this, anchor);
    } else if (anchor.isEmpty() && hand) {
        anchor_.clear();
        unsetCursor();
        Fire(OnAnchorExit, this, QString());
    }
}

void THTMLabel::mouseReleaseEvent(QMouseEvent* E)
{
    QWidget::mouseReleaseEvent(E);
    const QPoint at = E->position().toPoint();
    const QString anchor = HitTest(at.x(), at.y());
    if (anchor.isEmpty())
        return;
    if (!OpensInShell(anchor))
        Fire(OnAnchorClick, this, anchor);
    else
        win::ShellExecute(nullptr, QStringLiteral("open"), anchor, QString(), QString(), win::SW_SHOWNORMAL);
}

void THTMLabel::changeEvent(QEvent* E)
{
    QWidget::changeEvent(E);
    if (E->type() == QEvent::FontChange || E->type() == QEvent::PaletteChange)
        Changed();
}

bool THTMLabel::event(QEvent* E)
{
    if (E->type() == QEvent::ToolTip && AnchorHint) {
        auto* help = static_cast<QHelpEvent*>(E);
        const QString anchor = HitTest(help->pos().x(), help->pos().y());
        if (anchor.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos() + HintOffset, anchor, this);
        return true;
    }
    return QWidget::event(E);
}
