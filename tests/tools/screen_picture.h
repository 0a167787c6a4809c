// SaveScreenPicture: the end of the review programs, a picture of the whole screen once their
// window is up.
#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QPixmap>
#include <QScreen>
#include <cstdio>
#include <functional>

// Lets events run until Ready (at most ten seconds), then Settle, and saves the screen to Path;
// returns the program's exit code.
inline int SaveScreenPicture(const std::function<bool()>& Ready, const std::function<void()>& Settle, const char* Path)
{
    QDeadlineTimer deadline(10000);
    while (!Ready() && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    Settle();
    const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
    if (!screen.save(QString::fromLocal8Bit(Path))) {
        std::fputs("could not save the picture\n", stderr);
        return 1;
    }
    std::puts("saved");
    return 0;
}
