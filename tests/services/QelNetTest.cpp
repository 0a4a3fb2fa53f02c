#include "services/QelNet.h"

#include "ServiceTestUtil.h"
#include "common/LoopbackServer.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <future>

using testutil::TLoopbackServer;

TEST(QelNetTest, ProbeTrueForAListeningPortFalseForAClosedOne)
{
    TLoopbackServer server;
    const QString open = server.Url(QStringLiteral("/any/path.php?id=1&&x=2"));
    const QString closed = testutil::ClosedLoopbackUrl();

    EXPECT_TRUE(qel::CheckNetPass(open));
    EXPECT_TRUE(qel::CheckInternetConnection(open));
    EXPECT_FALSE(qel::CheckNetPass(closed));
    EXPECT_FALSE(qel::CheckInternetConnection(closed));
    // The probe only connects: the path and query are never requested.
    EXPECT_TRUE(server.Requests().isEmpty());

    for (const QString& bad : {QString(), QStringLiteral("ftp://127.0.0.1:%1/").arg(server.Port()),
                               QStringLiteral("file:///etc/hostname")}) {
        EXPECT_FALSE(qel::CheckNetPass(bad)) << bad.toStdString();
        EXPECT_FALSE(qel::CheckInternetConnection(bad)) << bad.toStdString();
    }
}

TEST(QelNetTest, ProbeFalseWithoutTheLibraryOrItsEntries)
{
    TLoopbackServer server;
    EXPECT_TRUE(qel::CheckNetPassWith(QStringLiteral("libcurl.so.4"), server.Url()));
    EXPECT_FALSE(qel::CheckNetPassWith(QStringLiteral("/nonexistent/libcurl.so"), server.Url()));
    EXPECT_FALSE(qel::CheckNetPassWith(QStringLiteral("libm.so.6"), server.Url()));
}

TEST(QelNetTest, RunNetProbeLeavesTheResultInTheFlags)
{
    TLoopbackServer server;
    qel::TNetProbeFlags flags;
    qel::RunNetProbe(flags, server.Url());
    EXPECT_TRUE(flags.Passed.load());
    EXPECT_FALSE(flags.Checking.load());

    qel::RunNetProbe(flags, testutil::ClosedLoopbackUrl());
    EXPECT_FALSE(flags.Passed.load());
    EXPECT_FALSE(flags.Checking.load());
}

TEST(QelNetTest, StartNetProbeRunsOneAtATimeOnAWorker)
{
    // A probe that blocks until released, observed through the test seam.
    auto release = std::make_shared<std::promise<void>>();
    std::shared_future<void> released = release->get_future().share();
    std::atomic<int> calls {0};
    std::atomic<bool> onGui {false};
    const auto old = qel::SetNetCheckHandler([&, released](const QString& url) {
        ++calls;
        onGui = QThread::currentThread() == qApp->thread();
        released.wait();
        return url == QLatin1String("http://site.example/");
    });

    auto flags = std::make_shared<qel::TNetProbeFlags>();
    EXPECT_TRUE(qel::StartNetProbe(flags, QStringLiteral("http://site.example/")));
    EXPECT_FALSE(qel::StartNetProbe(flags, QStringLiteral("http://site.example/")));
    EXPECT_TRUE(flags->Checking.load());
    std::weak_ptr<qel::TNetProbeFlags> watch = flags;
    flags.reset(); // the window is gone; the worker keeps the flags
    release->set_value();
    EXPECT_TRUE(testutil::WaitForWorkers());
    EXPECT_TRUE(watch.expired());
    EXPECT_EQ(calls.load(), 1);
    EXPECT_FALSE(onGui.load());

    // A finished probe frees the way for the next one; its result lands in the flags.
    flags = std::make_shared<qel::TNetProbeFlags>();
    ASSERT_TRUE(qel::StartNetProbe(flags, QStringLiteral("http://site.example/")));
    ASSERT_TRUE(testutil::WaitUntil([&] { return !flags->Checking.load(std::memory_order_acquire); }));
    EXPECT_TRUE(flags->Passed.load(std::memory_order_acquire));
    ASSERT_TRUE(qel::StartNetProbe(flags, QStringLiteral("http://other.example/")));
    ASSERT_TRUE(testutil::WaitUntil([&] { return !flags->Checking.load(std::memory_order_acquire); }));
    EXPECT_FALSE(flags->Passed.load(std::memory_order_acquire));
    EXPECT_TRUE(testutil::WaitForWorkers());
    qel::SetNetCheckHandler(old);
}
