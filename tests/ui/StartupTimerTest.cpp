#include "common/LoopbackServer.h"
#include "common/TestUtil.h"

#include "services/QelAdImage.h"
#include "services/QelNet.h"
#include "services/QelThread.h"
#include "ui/Mainformfm.h"
#include "ui/Skinctrldm.h"

#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>

namespace {

// Counts the probes the window starts and how many run at once.
struct TProbeCounter {
    std::atomic<int> Started{0};
    std::atomic<int> Running{0};
    std::atomic<int> MostAtOnce{0};
    std::atomic<bool> Answer{false};
    std::mutex Lock;
    std::condition_variable Wake;
    bool Hold = false;   // probes wait until released

    bool Probe()
    {
        ++Started;
        const int now = ++Running;
        int most = MostAtOnce.load();
        while (now > most && !MostAtOnce.compare_exchange_weak(most, now)) {
        }
        {
            std::unique_lock<std::mutex> l(Lock);
            Wake.wait(l, [this] { return !Hold; });
        }
        --Running;
        return Answer.load();
    }
    void Release()
    {
        {
            std::lock_guard<std::mutex> l(Lock);
            Hold = false;
        }
        Wake.notify_all();
    }
};

class StartupTimerTest : public ::testing::Test {
public:
    TSkinCtrlModule Skin;
    TProbeCounter Probes;
    testutil::TLoopbackServer Site;
    std::unique_ptr<TMainForm> Form;

    void SetUp() override
    {
        testutil::THttpReply config;
        config.Body = "[set]\nflag=1\ncount=0\n";
        Site.Reply("/ad/ad_cfg.php", config);
        testutil::THttpReply noNews;
        noNews.Body = "0";
        Site.Reply("/ver.php", noNews);
        qel::SetNetCheckHandler([this](const QString&) { return Probes.Probe(); });
        Form = std::make_unique<TMainForm>();
        Form->NetTargets.ProbeUrl = Site.Url();
        Form->NetTargets.AdUrl = Site.Url(QStringLiteral("/ad/ad_cfg.php?id=rename"));
        Form->NetTargets.Url = Site.Url(QStringLiteral("/ver.php"));
        Form->NetTargets.Goto = Site.Url();
        Form->tmrAdTimer->setInterval(10);
    }
    void TearDown() override
    {
        Probes.Release();
        Form.reset();
        // Workers outlive the window by design; let them finish before the
        // counter they report to goes away.
        EXPECT_TRUE(testutil::WaitFor([&] { return TQelThread::LiveCount() == 0; }, 10000));
        qel::SetNetCheckHandler([](const QString&) { return false; });
    }
};

TEST_F(StartupTimerTest, WithoutTheSiteItProbesForeverOneAtATime)
{
    ASSERT_TRUE(testutil::WaitFor([&] { return Probes.Started.load() >= 5; }, 10000));
    EXPECT_TRUE(Form->tmrAdTimer->isActive());
    EXPECT_EQ(Probes.MostAtOnce.load(), 1);
    EXPECT_EQ(Site.Requests().size(), 0);
    EXPECT_FALSE(Form->QelAdImage1->isVisible());
}

TEST_F(StartupTimerTest, ASlowProbeIsNotDuplicatedByTheTicksWithinIt)
{
    Probes.Hold = true;
    ASSERT_TRUE(testutil::WaitFor([&] { return Probes.Started.load() == 1; }, 10000));
    QTest::qWait(200);   // twenty ticks while the probe hangs
    EXPECT_EQ(Probes.Started.load(), 1);
    Probes.Release();
    ASSERT_TRUE(testutil::WaitFor([&] { return Probes.Started.load() >= 2; }, 10000));
    EXPECT_EQ(Probes.MostAtOnce.load(), 1);
}

TEST_F(StartupTimerTest, OnceTheSiteAnswersBannerAndUpdateCheckStartExactlyOnce)
{
    Probes.Answer = true;
    ASSERT_TRUE(testutil::WaitFor([&] { return !Form->tmrAdTimer->isActive(); }, 10000));
    ASSERT_TRUE(testutil::WaitFor([&] { return Site.Count("/ad/ad_cfg.php") == 1; }, 10000));
    EXPECT_EQ(Site.Count("/ver.php"), 1);
    const QList<testutil::THttpRequest> requests = Site.Requests();
    bool sawCheck = false;
    for (const auto& r : requests) {
        if (r.Path == "/ver.php") {
            EXPECT_EQ(r.Target, "/ver.php?id=rename&&ver=2011-09-12");
            sawCheck = true;
        }
    }
    EXPECT_TRUE(sawCheck);
    QTest::qWait(150);
    EXPECT_EQ(Site.Count("/ad/ad_cfg.php"), 1);
    EXPECT_EQ(Site.Count("/ver.php"), 1);
}

TEST_F(StartupTimerTest, AnUnreachableSiteAfterTheProbeIsSilent)
{
    Probes.Answer = true;
    Form->NetTargets.AdUrl = testutil::ClosedLoopbackUrl(QStringLiteral("/ad"));
    Form->NetTargets.Url = testutil::ClosedLoopbackUrl(QStringLiteral("/ver.php"));
    ASSERT_TRUE(testutil::WaitFor([&] { return !Form->tmrAdTimer->isActive(); }, 10000));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(StartupTimerTest, ClosingTheWindowWhileAProbeRunsIsHarmless)
{
    Probes.Hold = true;
    Probes.Answer = true;
    ASSERT_TRUE(testutil::WaitFor([&] { return Probes.Started.load() == 1; }, 10000));
    Form.reset();
    Probes.Release();   // the probe now writes its flags: they must still be there
    ASSERT_TRUE(testutil::WaitFor([&] { return TQelThread::LiveCount() == 0; }, 10000));
}

} // namespace
