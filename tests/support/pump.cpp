// pumpUntil.
#include "support/pump.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

#include <algorithm>

bool pumpUntil(const std::function<bool()>& predicate, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    // The timer wakes the blocking wait below now and then, so that a condition another thread
    // changes without posting anything is seen, and the deadline is kept.
    QTimer wake;
    wake.start(std::min(timeoutMs, 10));
    while (!predicate()) {
        if (deadline.hasExpired())
            return predicate();
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}
