// Conversions between drop effects, drag types and key states, and client points relative to
// the window.
#include "dragdrop/drag_types.h"
#include "dragdrop/window_point.h"

#include <gtest/gtest.h>

#include <QWidget>

using namespace win;

TEST(DragTypes, DragTypeFromEffectPrefersCopyThenMoveThenLink)
{
    struct Case {
        DWORD effect;
        bool found;
        TDragType type;
    };
    const Case cases[] = {
        {DROPEFFECT_NONE, false, dtCopy},
        {DROPEFFECT_SCROLL, false, dtCopy},
        {DROPEFFECT_COPY, true, dtCopy},
        {DROPEFFECT_MOVE, true, dtMove},
        {DROPEFFECT_LINK, true, dtLink},
        {DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, true, dtCopy},
        {DROPEFFECT_MOVE | DROPEFFECT_LINK, true, dtMove},
        {DROPEFFECT_LINK | DROPEFFECT_SCROLL, true, dtLink},
    };
    for (const Case& c : cases) {
        TDragType type = dtLink;
        EXPECT_EQ(DragTypeFromEffect(c.effect, type), c.found) << c.effect;
        EXPECT_EQ(type, c.type) << c.effect;
    }
    EXPECT_EQ(EffectFromDragTypes(0), DROPEFFECT_NONE);
    EXPECT_EQ(EffectFromDragTypes(DragTypeBit(dtCopy)), DROPEFFECT_COPY);
    EXPECT_EQ(EffectFromDragTypes(DragTypeBit(dtMove)), DROPEFFECT_MOVE);
    EXPECT_EQ(EffectFromDragTypes(DragTypeBit(dtLink)), DROPEFFECT_LINK);
    EXPECT_EQ(EffectFromDragTypes(DragTypeBit(dtCopy) | DragTypeBit(dtLink)), DROPEFFECT_COPY | DROPEFFECT_LINK);
}

TEST(DragTypes, KeyFlagsBecomeTheirShiftStateMembers)
{
    const std::pair<DWORD, TShiftState> flags[] = {
        {MK_SHIFT, ssShift}, {MK_CONTROL, ssCtrl},   {MK_ALT, ssAlt},
        {MK_LBUTTON, ssLeft}, {MK_RBUTTON, ssRight}, {MK_MBUTTON, ssMiddle},
    };
    for (const auto& [flag, state] : flags)
        EXPECT_EQ(ShiftStateFromKeyFlags(flag), state) << flag;
    EXPECT_EQ(ShiftStateFromKeyFlags(MK_CONTROL | MK_LBUTTON | MK_ALT), ssCtrl | ssLeft | ssAlt);
    EXPECT_EQ(ShiftStateFromKeyFlags(0), 0u);
}

TEST(DragTypes, EffectFromShiftStateFollowsTheKeysAndFallsBackInOrder)
{
    constexpr DWORD all = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    struct Case {
        const char* what;
        TShiftState shift;
        DWORD allowed;
        bool fallBack;
        DWORD effect;
    };
    const Case cases[] = {
        {"no keys", 0, all, false, DROPEFFECT_MOVE},
        {"shift alone", ssShift, all, false, DROPEFFECT_MOVE},
        {"ctrl", ssCtrl, all, false, DROPEFFECT_COPY},
        {"ctrl and shift", ssCtrl | ssShift, all, false, DROPEFFECT_LINK},
        {"buttons and alt do not count", ssAlt | ssLeft | ssRight, all, false, DROPEFFECT_MOVE},
        {"ctrl, copy not allowed", ssCtrl, DROPEFFECT_MOVE | DROPEFFECT_LINK, false, DROPEFFECT_NONE},
        {"ctrl, copy not allowed, fall back", ssCtrl, DROPEFFECT_MOVE | DROPEFFECT_LINK, true, DROPEFFECT_MOVE},
        {"no keys, move not allowed, fall back", 0, DROPEFFECT_COPY | DROPEFFECT_LINK, true, DROPEFFECT_COPY},
        {"link wanted, only move, fall back", ssCtrl | ssShift, DROPEFFECT_MOVE, true, DROPEFFECT_MOVE},
        {"nothing allowed", ssCtrl, DROPEFFECT_NONE, true, DROPEFFECT_NONE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EffectFromShiftState(c.shift, c.allowed, c.fallBack), c.effect) << c.what;
}

TEST(DragTypes, WindowPointOfAChildIsItsClientPoint)
{
    QWidget window;
    window.setGeometry(100, 80, 300, 200);
    auto* child = new QWidget(&window);
    child->setGeometry(10, 20, 100, 50);
    window.show();
    EXPECT_EQ(WindowPointFromClient(child, QPoint(5, 7)), QPoint(5, 7));
    const QPoint frameOffset = window.mapToGlobal(QPoint(0, 0)) - window.frameGeometry().topLeft();
    EXPECT_EQ(WindowPointFromClient(&window, QPoint(15, 27)), QPoint(15, 27) + frameOffset);
}
