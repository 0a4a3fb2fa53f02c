#include "services/QelThread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

#include <thread>

namespace {
std::atomic<int> Live {0};
}

TQelThread::TQelThread(bool CreateSuspended)
{
    Live.fetch_add(1, std::memory_order_relaxed);
    if (!CreateSuspended) {
        try {
            Start();
        } catch (...) {
            Live.fetch_sub(1, std::memory_order_relaxed);
            throw;
        }
    }
}

TQelThread::~TQelThread()
{
    // Release what Proc holds before the thread counts as gone.
    Proc = nullptr;
    Live.fetch_sub(1, std::memory_order_release);
}

int TQelThread::LiveCount()
{
    return Live.load(std::memory_order_acquire);
}

void TQelThread::Start()
{
    if (FStarted)
        return;
    // Set before the thread exists: once it runs, `this` may be gone.
    FStarted = true;
    try {
        std::thread([this] {
            Execute();
            delete this;
        }).detach();
    } catch (...) {
        FStarted = false;
        throw;
    }
}

void TQelThread::Execute()
{
    // An exception ends the thread quietly, whichever thread raised it.
    try {
        QCoreApplication* app = QCoreApplication::instance();
        if (Sync && app && QThread::currentThread() != app->thread()) {
            QMetaObject::invokeMethod(
                app,
                [this] {
                    try {
                        Do();
                    } catch (...) {
                    }
                },
                Qt::BlockingQueuedConnection);
        } else {
            Do();
        }
    } catch (...) {
    }
}

void TQelThread::Do()
{
    if (Proc)
        Proc();
}

TQelThread* CreateQelThread(TQelThreadProc Proc, bool Sync)
{
    auto* t = new TQelThread(true);
    t->Sync = Sync;
    t->Proc = std::move(Proc);
    try {
        t->Start();
    } catch (...) {
        delete t;
        throw;
    }
    return t;
}
