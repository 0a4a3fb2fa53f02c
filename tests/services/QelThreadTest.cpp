#include "services/QelThread.h"

#include "ServiceTestUtil.h"

#include <QApplication>
#include <QThread>
#include <gtest/gtest.h>

#include <stdexcept>

TEST(QelThreadTest, RunsOnTheWorkerOrOnTheGuiThread)
{
    for (bool sync : {false, true}) {
        std::atomic<bool> done {false};
        std::atomic<bool> onGui {!sync};
        std::atomic<int> liveDuringProc {0};
        CreateQelThread(
            [&] {
                onGui = QThread::currentThread() == qApp->thread();
                liveDuringProc = TQelThread::LiveCount();
                done.store(true, std::memory_order_release);
            },
            sync);
        ASSERT_TRUE(testutil::WaitUntil([&] { return done.load(std::memory_order_acquire); })) << sync;
        EXPECT_EQ(onGui.load(), sync);
        // With Sync the worker is still there, waiting for Proc to return.
        EXPECT_EQ(liveDuringProc.load(), 1) << sync;
        EXPECT_TRUE(testutil::WaitForWorkers()) << sync;
    }
}

TEST(QelThreadTest, EmptyOrFailingProcEndsQuietlyAndDeletesItself)
{
    CreateQelThread(TQelThreadProc(), false);
    CreateQelThread(TQelThreadProc(), true);
    new TQelThread(false); // started at once, with nothing to run
    CreateQelThread([] { throw std::runtime_error("worker"); }, false);
    CreateQelThread([] { throw 42; }, true);
    EXPECT_TRUE(testutil::WaitForWorkers());

    auto* suspended = new TQelThread(true);
    EXPECT_EQ(TQelThread::LiveCount(), 1);
    std::atomic<bool> ran {false};
    suspended->Proc = [&] { ran = true; };
    suspended->Start();
    EXPECT_TRUE(testutil::WaitForWorkers());
    EXPECT_TRUE(ran.load());
}
