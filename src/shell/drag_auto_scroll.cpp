// DragAutoScroll and ScrollIfPossible.
#include "shell/drag_auto_scroll.h"

#include "platform/system/tick_count.h"

#include <QAbstractScrollArea>
#include <QScrollBar>

std::optional<TDragScroll> DragAutoScroll(QPoint Point, const QRect& Client, std::uint32_t Now, std::uint32_t LastScroll)
{
    if (Now - LastScroll <= DragScrollInterval)
        return std::nullopt;
    TDragScroll scroll;
    if (Point.x() - Client.left() < DragScrollZoneX)
        scroll.Horizontal = -1;
    else if (Client.left() + Client.width() - Point.x() < DragScrollZoneX)
        scroll.Horizontal = 1;
    if (Point.y() - Client.top() < DragScrollZoneY)
        scroll.Vertical = -1;
    else if (Client.top() + Client.height() - Point.y() < DragScrollZoneY)
        scroll.Vertical = 1;
    return scroll;
}

namespace {

bool Step(QScrollBar* Bar, int Way)
{
    if (!Bar || Way == 0 || Bar->maximum() <= Bar->minimum())
        return false;
    const int before = Bar->value();
    Bar->triggerAction(Way < 0 ? QAbstractSlider::SliderSingleStepSub : QAbstractSlider::SliderSingleStepAdd);
    return Bar->value() != before;
}

} // namespace

bool ScrollIfPossible(QAbstractScrollArea& View, TDragScroll Scroll)
{
    const bool horizontal = Step(View.horizontalScrollBar(), Scroll.Horizontal);
    const bool vertical = Step(View.verticalScrollBar(), Scroll.Vertical);
    return horizontal || vertical;
}

void DragScrollStep(QAbstractScrollArea& View, QPoint Global, std::uint32_t& LastScroll)
{
    QWidget* viewport = View.viewport();
    const std::uint32_t now = win::GetTickCount();
    if (const auto scroll = DragAutoScroll(viewport->mapFromGlobal(Global), viewport->rect(), now, LastScroll)) {
        ScrollIfPossible(View, *scroll);
        LastScroll = now;
    }
}
