// TPaintPacer: lets a window paint at most once a frame.
#pragma once

#include <QObject>
#include <QTimer>

#include <cstdint>

class QWidget;

// Installed on a top-level window whose contents change many times a second (a bar and a count
// stepped for each small file of a queue). A change after a quiet frame paints at once; changes
// within a frame of the last painting are painted together when that frame is over. Immediate
// repaints (a progress bar's) wait the same way; values are never held back, only their painting.
// Frames are measured on the tick count.
class TPaintPacer : public QObject {
public:
    static constexpr std::uint32_t FrameMs = 40;

    explicit TPaintPacer(QWidget* Window);

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void PaintDue();

    QWidget* window_;
    std::uint32_t lastPaint_ = 0; // on the tick count
    bool painted_ = false;
    QTimer due_;
    bool passing_ = false;
};
