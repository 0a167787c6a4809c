// TCopyAnimation: the file-copy animation of the transfer window, a sheet flying from one folder
// to another, drawn frame by frame.
#pragma once

#include "platform/rtl/object.h"

#include <QTimer>
#include <QWidget>

class TCopyAnimation : public QWidget, public TComponent {
    Q_OBJECT
public:
    static constexpr int FrameCount = 27;

    explicit TCopyAnimation(QWidget* Parent = nullptr);

    // Runs the frames in a loop; Stop shows the last frame.
    void Play();
    void Stop();
    bool Active() const { return timer_.isActive(); }
    int Frame() const { return frame_; }

protected:
    void paintEvent(QPaintEvent* E) override;

private:
    QTimer timer_;
    int frame_ = FrameCount - 1;
};
