// TBusyLoop: the local event loop of a call that waits for a worker while the program stays painted.
#pragma once

#include <QEventLoop>
#include <QObject>
#include <QPointer>
#include <QWindow>
#include <vector>

// While it runs, the windows that were visible when it was made take no user input (mouse, keys,
// wheel, touch, closing): only windows shown meanwhile, such as a progress window with its Cancel
// button, do. Painting, timers and queued calls go on everywhere.
class TBusyLoop : public QObject {
public:
    TBusyLoop();
    ~TBusyLoop() override;

    // Runs until Quit (at once when Quit came first).
    void Run();
    void Quit();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QEventLoop loop_;
    std::vector<QPointer<QWindow>> frozen_;
    bool quit_ = false;
};
