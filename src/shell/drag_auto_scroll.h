// The scrolling of a shell control while a drag waits near its edges.
#pragma once

#include <QPoint>
#include <QRect>
#include <cstdint>
#include <optional>

class QAbstractScrollArea;

// The ways to scroll: -1 left or up, 1 right or down, 0 not.
struct TDragScroll {
    int Horizontal = 0;
    int Vertical = 0;
    friend bool operator==(const TDragScroll&, const TDragScroll&) = default;
};

// The edge zones and the pause between two scroll steps.
constexpr int DragScrollZoneX = 26;
constexpr int DragScrollZoneY = 20;
constexpr std::uint32_t DragScrollInterval = 100;

// Nothing while no more than DragScrollInterval ms have passed since LastScroll (tick counts);
// afterwards the ways a drag at Point (in Client's coordinates) scrolls: left or right when it is
// less than DragScrollZoneX pixels from that edge of Client, up or down when less than
// DragScrollZoneY from the top or bottom. The caller then takes Now as the last scroll.
std::optional<TDragScroll> DragAutoScroll(QPoint Point, const QRect& Client, std::uint32_t Now, std::uint32_t LastScroll);

// Scrolls View one line each way Scroll asks, where its scroll bar can move; true when it moved.
bool ScrollIfPossible(QAbstractScrollArea& View, TDragScroll Scroll);
// One step of a drag waiting over View at the screen point Global: when DragAutoScroll says it is
// time, View scrolls as it says and LastScroll becomes the tick count of now.
void DragScrollStep(QAbstractScrollArea& View, QPoint Global, std::uint32_t& LastScroll);
