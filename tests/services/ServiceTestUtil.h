#pragma once

#include "services/QelThread.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <functional>

namespace testutil {

// Runs the event loop until `done` holds. The deadline only keeps a broken
// build from hanging; no test depends on how fast things happen.
inline bool WaitUntil(const std::function<bool()>& done, int deadlineMs = 20000)
{
    QDeadlineTimer deadline(deadlineMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
    return true;
}

// Every worker thread has ended and deleted itself.
inline bool WaitForWorkers()
{
    return WaitUntil([] { return TQelThread::LiveCount() == 0; });
}

} // namespace testutil
