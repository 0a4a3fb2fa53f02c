#include "services/QelAdImage.h"

#include "AdTestData.h"
#include "ServiceTestUtil.h"
#include "common/LoopbackServer.h"
#include "platform/Exception.h"
#include "support/QelFile.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <future>

using namespace testutil;

namespace {

const QByteArray kThreeAds = "[set]\nflag=zqad\ncount=3\n"
                             "[ad0]\nimage_url={site}/red.jpg\nimage_format=jpg\nlink_url=http://one.example/\n"
                             "[ad1]\nimage_url={site}/missing.jpg\nimage_format=jpg\nlink_url=http://two.example/\n"
                             "[ad2]\nimage_url={site}/blue.bmp\nimage_format=bmp\nlink_url=file:///etc/passwd\n";

class AdImageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Server.Reply("/red.jpg", TextReply(EncodedPicture("JPG", Qt::red), "image/jpeg"));
        Server.Reply("/blue.bmp", TextReply(EncodedPicture("BMP", Qt::blue), "image/bmp"));
        FOld = qel::SetShellOpenHandler([this](const QString& file, const QString&, const QString&) { Opened.append(file); });
    }
    void TearDown() override
    {
        EXPECT_TRUE(WaitForWorkers());
        qel::SetShellOpenHandler(FOld);
    }

    void Serve(const QByteArray& config) { Server.Reply("/ad/ad_cfg.php", TextReply(Config(Server, config))); }

    // A banner with short intervals, reading this server's configuration.
    std::unique_ptr<TQelAdImage> MakeBanner()
    {
        auto banner = std::make_unique<TQelAdImage>();
        banner->SetStartInterval(5);
        banner->SetAdInterval(10);
        banner->SetAdUrl(Server.Url(QStringLiteral("/ad/ad_cfg.php?id=rename")));
        return banner;
    }

    static QTimer* TimerOf(TQelAdImage& banner) { return banner.findChild<QTimer*>(QStringLiteral("AdTimer")); }

    // Records the index on screen after every tick of the banner's timer.
    static QList<int>* RecordTicks(TQelAdImage& banner, QObject* context)
    {
        auto* seen = new QList<int>;
        QObject::connect(TimerOf(banner), &QTimer::timeout, context, [seen, &banner] { seen->append(banner.GetAdIndex()); });
        QObject::connect(context, &QObject::destroyed, [seen] { delete seen; });
        return seen;
    }

    TLoopbackServer Server;
    QStringList Opened;

private:
    qel::TShellOpenHandler FOld;
};

} // namespace

TEST_F(AdImageTest, Defaults)
{
    TQelAdImage banner;
    EXPECT_EQ(banner.size(), QSize(220, 60));
    EXPECT_TRUE(banner.isHidden());
    EXPECT_EQ(banner.cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(banner.GetAdInterval(), 10000);
    EXPECT_EQ(banner.GetStartInterval(), 1000);
    EXPECT_TRUE(banner.GetMultThread());
    EXPECT_EQ(banner.GetAdIndex(), -1);
    EXPECT_FALSE(TimerOf(banner)->isActive());
}

TEST_F(AdImageTest, ShowsAdsInTurnAndClickOpensTheOneOnScreen)
{
    Serve(kThreeAds);
    auto banner = MakeBanner();
    QObject context;
    QList<int>* ticks = RecordTicks(*banner, &context);
    banner->Execute();
    EXPECT_EQ(TimerOf(*banner)->interval(), 5);
    ASSERT_TRUE(WaitUntil([&] { return ticks->size() >= 40 && ticks->back() >= 0; }));
    TimerOf(*banner)->stop();

    EXPECT_TRUE(banner->isVisible());
    EXPECT_EQ(TimerOf(*banner)->interval(), 10);
    QList<int> shown = *ticks;
    shown.removeAll(-1);
    for (int i = 0; i < shown.size(); ++i)
        ASSERT_EQ(shown[i], i % 3) << "tick " << i;

    // Step one tick at a time and click each entry.
    QTimer* timer = TimerOf(*banner);
    timer->setSingleShot(true);
    timer->setInterval(0);
    auto step = [&] {
        QSignalSpy spy(timer, &QTimer::timeout);
        timer->start();
        return WaitUntil([&] { return spy.count() >= 1; });
    };
    while (banner->GetAdIndex() != 2)
        ASSERT_TRUE(step());
    const struct {
        int index;
        QColor picture; // invalid: no picture
        QStringList opened;
    } expect[] = {
        {0, QColor(Qt::red), {QStringLiteral("http://one.example/")}},
        {1, QColor(), {QStringLiteral("http://two.example/")}}, // failed picture, link still works
        {2, QColor(Qt::blue), {}},                              // a file: link is never opened
    };
    for (const auto& e : expect) {
        ASSERT_TRUE(step());
        ASSERT_EQ(banner->GetAdIndex(), e.index);
        EXPECT_EQ(banner->Picture().isNull(), !e.picture.isValid()) << e.index;
        if (e.picture.isValid()) {
            const QColor c = banner->Picture().pixelColor(2, 2);
            EXPECT_NEAR(c.red(), e.picture.red(), 8) << e.index;
            EXPECT_NEAR(c.blue(), e.picture.blue(), 8) << e.index;
        }
        Opened.clear();
        QTest::mouseClick(banner.get(), Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(Opened, e.opened) << e.index;
    }
}

TEST_F(AdImageTest, OneAdKeepsShowing)
{
    Serve("[set]\nflag=zqad\ncount=1\n[ad0]\nimage_url={site}/red.jpg\nimage_format=jpg\nlink_url=http://one.example/\n");
    auto banner = MakeBanner();
    QObject context;
    QList<int>* ticks = RecordTicks(*banner, &context);
    banner->Execute();
    ASSERT_TRUE(WaitUntil([&] { return ticks->count(0) >= 5; }));
    EXPECT_TRUE(banner->isVisible());
    QList<int> shown = *ticks;
    shown.removeAll(-1);
    EXPECT_EQ(shown, QList<int>(shown.size(), 0));
}

TEST_F(AdImageTest, StaysHiddenWithoutAds)
{
    const QByteArray configs[] = {"[set]\nflag=ZQAD\ncount=1\n[ad0]\nlink_url=http://one.example/\n",
                                  "[set]\nflag=zqad\ncount=0\n", ""};
    for (const QByteArray& config : configs) {
        Serve(config);
        auto banner = MakeBanner();
        QObject context;
        QList<int>* ticks = RecordTicks(*banner, &context);
        banner->Execute();
        ASSERT_TRUE(WaitUntil([&] { return !banner->IsLoading() && ticks->size() >= 5; })) << config.toStdString();
        EXPECT_TRUE(banner->isHidden()) << config.toStdString();
        EXPECT_EQ(ticks->count(-1), ticks->size());
        EXPECT_EQ(TimerOf(*banner)->interval(), 5); // still polling
        QTest::mouseClick(banner.get(), Qt::LeftButton);
        EXPECT_TRUE(Opened.isEmpty());
    }
    // No site at all.
    auto banner = MakeBanner();
    banner->SetAdUrl(testutil::ClosedLoopbackUrl(QStringLiteral("/ad/ad_cfg.php")));
    banner->Execute();
    ASSERT_TRUE(WaitUntil([&] { return !banner->IsLoading(); }));
    EXPECT_FALSE(banner->IsLoaded());
}

TEST_F(AdImageTest, WithoutThreadExecuteReturnsWhenAllIsFetched)
{
    Serve(kThreeAds);
    auto banner = MakeBanner();
    banner->SetMultThread(false);
    banner->Execute();
    EXPECT_EQ(Server.Count("/red.jpg") + Server.Count("/missing.jpg") + Server.Count("/blue.bmp"), 3);
    EXPECT_TRUE(banner->IsLoaded());
    EXPECT_FALSE(banner->IsLoading());
    EXPECT_EQ(TQelThread::LiveCount(), 0);
}

TEST_F(AdImageTest, DecoderErrorLeavesTheBannerHiddenAndStartsNoNewLoad)
{
    Server.Reply("/garbage.jpg", TextReply("not a picture", "image/jpeg"));
    Serve("[set]\nflag=zqad\ncount=2\n"
          "[ad0]\nimage_url={site}/red.jpg\nimage_format=jpg\n"
          "[ad1]\nimage_url={site}/garbage.jpg\nimage_format=jpg\n");
    auto direct = MakeBanner();
    direct->SetMultThread(false);
    EXPECT_THROW(direct->Execute(), Exception);
    EXPECT_FALSE(direct->IsLoaded());

    auto banner = MakeBanner();
    QObject context;
    QList<int>* ticks = RecordTicks(*banner, &context);
    banner->Execute();
    ASSERT_TRUE(WaitForWorkers());
    EXPECT_TRUE(banner->IsLoading());
    EXPECT_FALSE(banner->IsLoaded());
    const int requests = Server.Count("/ad/ad_cfg.php");
    banner->Execute();
    EXPECT_EQ(Server.Count("/ad/ad_cfg.php"), requests);
    EXPECT_EQ(TQelThread::LiveCount(), 0);
    ticks->clear();
    ASSERT_TRUE(WaitUntil([&] { return ticks->size() >= 3; }));
    EXPECT_TRUE(banner->isHidden());
}

TEST_F(AdImageTest, AdIntervalWritesThroughToTheTimer)
{
    TQelAdImage banner;
    QTimer* timer = TimerOf(banner);
    timer->setInterval(1234);
    banner.SetAdInterval(10000); // the value it has: the timer is not touched
    EXPECT_EQ(timer->interval(), 1234);
    timer->start();
    banner.SetAdInterval(500);
    EXPECT_EQ(timer->interval(), 500);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(banner.GetAdInterval(), 500);
}

TEST_F(AdImageTest, RepeatedExecuteReplacesTheListAndKeepsThePace)
{
    Serve(kThreeAds);
    auto banner = MakeBanner();
    banner->Execute();
    ASSERT_TRUE(WaitUntil([&] { return banner->GetAdIndex() >= 0; }));

    Serve("[set]\nflag=zqad\ncount=1\n[ad0]\nlink_url=http://new.example/\n");
    banner->Execute();
    EXPECT_EQ(TimerOf(*banner)->interval(), 10);
    ASSERT_TRUE(WaitUntil([&] {
        const TQelAdImageDate* ad = banner->CurrentAd();
        return ad && ad->AdDate->LinkUrl == QLatin1String("http://new.example/");
    }));
    EXPECT_EQ(banner->GetAdIndex(), 0);
    EXPECT_EQ(TimerOf(*banner)->interval(), 10);
}

TEST_F(AdImageTest, DestroyedWhileLoadingIsSafe)
{
    auto release = std::make_shared<std::promise<void>>();
    std::shared_future<void> released = release->get_future().share();
    std::atomic<bool> asked {false};
    Server.Handle("/ad/ad_cfg.php", [&, released](const THttpRequest&) {
        asked = true;
        released.wait();
        return TextReply(Config(Server, kThreeAds));
    });
    QPointer<TQelAdImage> watch;
    {
        auto banner = MakeBanner();
        watch = banner.get();
        banner->Execute();
        ASSERT_TRUE(WaitUntil([&] { return asked.load(); }));
    }
    EXPECT_TRUE(watch.isNull());
    release->set_value();
    EXPECT_TRUE(WaitForWorkers());
    // The abandoned load fetched no pictures.
    EXPECT_EQ(Server.Count("/red.jpg"), 0);
}

TEST(AdImageDrawTest, PictureAtTopLeftScaledDownOnly)
{
    const QSize control(220, 60);
    const struct {
        QSize picture;
        QRect expected;
    } cases[] = {
        {QSize(100, 30), QRect(0, 0, 100, 30)},  // smaller: own size, not centred
        {QSize(220, 60), QRect(0, 0, 220, 60)},  // exact fit
        {QSize(440, 60), QRect(0, 0, 220, 30)},  // too wide
        {QSize(110, 120), QRect(0, 0, 55, 60)},  // too tall
        {QSize(880, 120), QRect(0, 0, 220, 30)}, // both
        {QSize(), QRect()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TQelAdImage::PictureRect(c.picture, control), c.expected) << c.picture.width() << "x" << c.picture.height();
}
