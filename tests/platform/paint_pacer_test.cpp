// TPaintPacer: a burst of changes paints once a frame, the last change is always painted, and a
// change after a quiet frame paints at once.
#include "platform/widgets/paint_pacer.h"

#include "support/pump.h"
#include "support/tick_count_scope.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>

namespace {

// Paints its value; counts its paintings and keeps the value last painted.
class TCountingWindow : public QWidget {
public:
    int Value = 0;
    int Painted = -1;
    int Paints = 0;

protected:
    void paintEvent(QPaintEvent*) override
    {
        Painted = Value;
        ++Paints;
    }
};

} // namespace

TEST(PaintPacer, BurstsPaintOnceAFrameAndTheLastValueArrives)
{
    TTickCountScope clock;
    TCountingWindow window;
    window.resize(60, 20);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_TRUE(pumpUntil([&] { return window.Painted == 0; }));
    new TPaintPacer(&window);

    // Immediate repaints, as a progress bar asks for, and plain updates; the clock stands still,
    // so each burst lies within one frame.
    for (const bool immediate : {true, false}) {
        clock.Advance(TPaintPacer::FrameMs);
        const int paintsBefore = window.Paints;
        for (int i = 0; i < 20; ++i) {
            ++window.Value;
            if (immediate)
                window.repaint();
            else
                window.update();
            QCoreApplication::processEvents();
        }
        EXPECT_EQ(window.Paints - paintsBefore, 1) << immediate;
        EXPECT_TRUE(pumpUntil([&] { return window.Painted == window.Value; })) << immediate;
        EXPECT_EQ(window.Paints - paintsBefore, 2) << immediate;
    }

    // A frame after the last painting, a change paints at once.
    clock.Advance(TPaintPacer::FrameMs);
    ++window.Value;
    window.repaint();
    EXPECT_EQ(window.Painted, window.Value);
}
