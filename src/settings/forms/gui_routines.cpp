// Form routines.
#include "settings/forms/gui_routines.h"

#include "platform/ui/screen.h"
#include "platform/widgets/std_controls.h"

#include <QScrollArea>
#include <QScrollBar>

namespace {

void ForEachControl(QWidget* Container, const std::function<void(QWidget*)>& Visit)
{
    for (QObject* child : Container->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget || widget->isWindow())
            continue;
        Visit(widget);
        if (widget->focusPolicy() == Qt::NoFocus)
            ForEachControl(widget, Visit);
    }
}

void SetClickHandler(QWidget* Control, const std::function<void(TObject*)>& Handler)
{
    if (auto* check = qobject_cast<TCheckBox*>(Control))
        check->OnClick = Handler;
    else if (auto* radio = qobject_cast<TRadioButton*>(Control))
        radio->OnClick = Handler;
}

} // namespace

int CenterInWidth(const QRect& Rect, int Width)
{
    return (Rect.left() + Rect.left() + Rect.width() - Width) / 2;
}

int CenterInHeight(const QRect& Rect, int Height)
{
    return (Rect.top() + Rect.top() + Rect.height() - Height) / 2;
}

int CenterTextX(const QFontMetrics& Canvas, const QRect& Rect, const QString& Text)
{
    return CenterInWidth(Rect, Canvas.horizontalAdvance(Text));
}

int CenterTextY(const QFontMetrics& Canvas, const QRect& Rect, const QString&)
{
    return CenterInHeight(Rect, Canvas.height());
}

QString ColorToHtml(const QColor& Color)
{
    return QStringLiteral("#%1%2%3")
        .arg(Color.red(), 2, 16, QLatin1Char('0'))
        .arg(Color.green(), 2, 16, QLatin1Char('0'))
        .arg(Color.blue(), 2, 16, QLatin1Char('0'))
        .toUpper();
}

void LockRedraw(QWidget* Window, bool Lock)
{
    Window->setUpdatesEnabled(!Lock);
    if (!Lock)
        Window->update();
}

void CenterImageInForm(QScrollArea* Box, QWidget* Image)
{
    // The alignment keeps the scroll area's own widget so placed when it scrolls or resizes.
    Box->setAlignment(Qt::AlignCenter);
    Box->horizontalScrollBar()->setValue(0);
    Box->verticalScrollBar()->setValue(0);
    const QSize area = Box->viewport()->size();
    Image->move(Image->width() < area.width() ? (area.width() - Image->width()) / 2 : 0,
                Image->height() < area.height() ? (area.height() - Image->height()) / 2 : 0);
}

int GetScreenPixelsPerInch()
{
    return Screen().PixelsPerInch();
}

void FocusFirstControl(QWidget* Container)
{
    for (QWidget* widget = Container->nextInFocusChain(); widget && widget != Container;
         widget = widget->nextInFocusChain()) {
        if (Container->isAncestorOf(widget) && (widget->focusPolicy() & Qt::TabFocus) &&
            widget->isEnabled()) {
            widget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void DetachClickHandlers(QWidget* Container)
{
    ForEachControl(Container, [](QWidget* Control) { SetClickHandler(Control, nullptr); });
}

void AttachClickHandlers(QWidget* Container, const std::function<void(TObject* Sender)>& Handler,
                         bool Enabled)
{
    ForEachControl(Container, [&](QWidget* Control) {
        SetClickHandler(Control, Handler);
        Control->setEnabled(Enabled);
    });
}

void ClearEdits(QWidget* Container, bool Enabled)
{
    ForEachControl(Container, [&](QWidget* Control) {
        if (auto* edit = qobject_cast<TEdit*>(Control))
            edit->clear();
        Control->setEnabled(Enabled);
    });
}
