#include "common/TestUtil.h"

#include "services/QelPopupForm.h"

#include "platform/X11Display.h"
#include "common/LoopbackServer.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QWidget>
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

namespace {

using testutil::WaitFor;

// Runs the deferred deletions that window closes leave behind.
void Settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class TStubbornWindow : public QWidget {
protected:
    void closeEvent(QCloseEvent* e) override { e->ignore(); }
};

class PopupX11Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(QGuiApplication::platformName(), "xcb") << "needs an X server";
        ASSERT_EQ(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 1280, 1024));
        FPopup.OnPopupForm = [this](QObject* sender, QWidget*& form) {
            EXPECT_EQ(sender, &FPopup);
            ++FBuilt;
            form = FMake ? FMake() : new QWidget;
        };
    }
    void TearDown() override { Settle(); }

    QWidget* Newest() const { return FPopup.PopupFormAt(FPopup.PopupFormCount() - 1); }

    TQelPopupForm FPopup;
    std::function<QWidget*()> FMake;
    int FBuilt = 0;
};

TEST_F(PopupX11Test, NoFactoryOrNoWindowShowsNothing)
{
    TQelPopupForm bare;
    bare.Execute();
    EXPECT_EQ(bare.PopupFormCount(), 0);

    FMake = [] { return nullptr; };
    FPopup.Execute();
    EXPECT_EQ(FBuilt, 1);
    EXPECT_EQ(FPopup.PopupFormCount(), 0);
}

TEST_F(PopupX11Test, SitsInTheBottomRightCorner)
{
    FPopup.Execute();
    ASSERT_EQ(FPopup.PopupFormCount(), 1);
    QWidget* form = Newest();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
    EXPECT_EQ(form->frameGeometry(), QRect(1030, 824, 250, 200));
    EXPECT_EQ(form->minimumSize(), form->maximumSize());   // not resizable
    EXPECT_TRUE(form->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(form->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(form->isModal());

    FPopup.SetFormWidth(300);
    FPopup.SetFormHeight(120);
    FPopup.Execute();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Newest()));
    EXPECT_EQ(Newest()->frameGeometry(), QRect(980, 904, 300, 120));
}

// A panel is announced by the work area on the root window.
class WorkAreaTest : public PopupX11Test {
protected:
    void TearDown() override
    {
        if (Display* dpy = plat::X11AppDisplay()) {
            XDeleteProperty(dpy, DefaultRootWindow(dpy), XInternAtom(dpy, "_NET_WORKAREA", False));
            XSync(dpy, False);
            WaitFor([] { return QGuiApplication::primaryScreen()->availableGeometry() == QRect(0, 0, 1280, 1024); });
        }
        PopupX11Test::TearDown();
    }
    bool SetWorkArea(const QRect& r)
    {
        Display* dpy = plat::X11AppDisplay();
        const long area[4] = {r.x(), r.y(), r.width(), r.height()};
        XChangeProperty(dpy, DefaultRootWindow(dpy), XInternAtom(dpy, "_NET_WORKAREA", False), XA_CARDINAL, 32,
                        PropModeReplace, reinterpret_cast<const unsigned char*>(area), 4);
        XSync(dpy, False);
        return WaitFor([&] { return QGuiApplication::primaryScreen()->availableGeometry() == r; });
    }
};

TEST_F(WorkAreaTest, PanelsOnAnyEdgeAreRespected)
{
    struct Row {
        const char* Panel;
        QRect Area;
        QPoint TopLeft;
    };
    const Row rows[] = {
        {"bottom", QRect(0, 0, 1280, 984), QPoint(1030, 784)},
        {"right", QRect(0, 0, 1240, 1024), QPoint(990, 824)},
        {"top", QRect(0, 30, 1280, 994), QPoint(1030, 824)},
        {"left and bottom", QRect(48, 0, 1232, 990), QPoint(1030, 790)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Panel);
        if (!SetWorkArea(row.Area))
            GTEST_SKIP() << "this Qt does not follow the work area without a window manager";
        FPopup.Execute();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Newest()));
        EXPECT_EQ(Newest()->frameGeometry(), QRect(row.TopLeft, QSize(250, 200)));
    }
}

TEST_F(PopupX11Test, ClosingTheUpperOfTwoKeepsTheOther)
{
    FPopup.Execute();
    FPopup.Execute();
    ASSERT_EQ(FPopup.PopupFormCount(), 2);
    QPointer<QWidget> lower = FPopup.PopupFormAt(0);
    QPointer<QWidget> upper = FPopup.PopupFormAt(1);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(upper));
    EXPECT_EQ(lower->frameGeometry(), upper->frameGeometry());   // the same place, newest on top

    EXPECT_TRUE(upper->close());
    EXPECT_FALSE(upper.isNull());   // never destroyed inside its own close
    Settle();
    EXPECT_TRUE(upper.isNull());
    ASSERT_EQ(FPopup.PopupFormCount(), 1);
    EXPECT_EQ(FPopup.PopupFormAt(0), lower.data());
    EXPECT_TRUE(lower->isVisible());

    // Closing the lower one of two moves the last into its place.
    FPopup.Execute();
    QPointer<QWidget> third = Newest();
    lower->close();
    Settle();
    EXPECT_TRUE(lower.isNull());
    ASSERT_EQ(FPopup.PopupFormCount(), 1);
    EXPECT_EQ(FPopup.PopupFormAt(0), third.data());
}

TEST_F(PopupX11Test, DestroyingTheComponentDestroysItsWindows)
{
    auto* popup = new TQelPopupForm;
    popup->OnPopupForm = [](QObject*, QWidget*& form) { form = new QWidget; };
    popup->Execute();
    popup->Execute();
    QPointer<QWidget> a = popup->PopupFormAt(0), b = popup->PopupFormAt(1);
    b->close();   // closed, its deletion still pending
    delete popup;
    EXPECT_TRUE(a.isNull());
    Settle();
    EXPECT_TRUE(b.isNull());
}

TEST_F(PopupX11Test, WindowsThatRefuseOrVanish)
{
    FMake = [] { return new TStubbornWindow; };
    FPopup.Execute();
    QPointer<QWidget> stubborn = Newest();
    EXPECT_FALSE(stubborn->close());
    Settle();
    EXPECT_FALSE(stubborn.isNull());
    EXPECT_EQ(FPopup.PopupFormCount(), 1);

    FMake = nullptr;
    FPopup.Execute();
    delete Newest();   // deleted behind the component's back
    EXPECT_EQ(FPopup.PopupFormCount(), 1);
    EXPECT_EQ(FPopup.PopupFormAt(0), stubborn.data());

    FPopup.FormClose(new QObject(&FPopup));   // not one of ours: nothing happens
    EXPECT_EQ(FPopup.PopupFormCount(), 1);
}

TEST_F(PopupX11Test, MessageWindowShowsEachLine)
{
    TQelPopupMsgForm msg;
    msg.SetMsg(QStringLiteral("第一行\r\nsecond\nthird\rfourth"));
    msg.Execute();
    ASSERT_EQ(msg.PopupFormCount(), 1);
    QWidget* form = msg.PopupFormAt(0);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("消息"));
    EXPECT_EQ(form->frameGeometry(), QRect(1030, 824, 250, 200));

    auto* memo = form->findChild<QPlainTextEdit*>("MemoMsg");
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo, msg.MemoMsg());
    QStringList lines;
    for (QTextBlock b = memo->document()->begin(); b.isValid(); b = b.next())
        lines << b.text();
    EXPECT_EQ(lines, (QStringList {"第一行", "second", "third", "fourth"}));
    EXPECT_EQ(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_TRUE(memo->verticalScrollBar()->isVisible());
    EXPECT_FALSE(memo->horizontalScrollBar()->isVisible());
    EXPECT_EQ(memo->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(memo->geometry(), form->rect());   // fills the window
}

TEST_F(PopupX11Test, NewsWindowShowsThePage)
{
    testutil::TLoopbackServer server;
    testutil::THttpReply page;
    page.Body = "<html><body><p>今日新闻</p></body></html>";
    page.ContentType = "text/html; charset=utf-8";
    server.Reply("/news.html", page);

    TQelPopupNewsForm news;
    news.Execute();   // no address yet: an empty page
    ASSERT_EQ(news.PopupFormCount(), 1);
    EXPECT_EQ(news.PopupFormAt(0)->windowTitle(), QStringLiteral("网站新闻"));
    TWebBrowser* web = news.WebNews();
    ASSERT_NE(web, nullptr);
    EXPECT_EQ(web->objectName(), "WebNews");
    EXPECT_EQ(web, news.PopupFormAt(0)->findChild<TWebBrowser*>("WebNews"));
    EXPECT_TRUE(web->Silent());
    EXPECT_TRUE(web->TheaterMode());
    EXPECT_EQ(web->LocationURL(), QString());
    EXPECT_TRUE(web->toPlainText().isEmpty());

    news.SetUrl(server.Url("/news.html"));
    news.Execute();
    web = news.WebNews();
    EXPECT_EQ(web->LocationURL(), server.Url("/news.html"));
    ASSERT_TRUE(WaitFor([&] { return !web->Busy(); }));
    EXPECT_EQ(web->toPlainText(), QStringLiteral("今日新闻"));

    // A page that is not there leaves its address in view.
    news.SetUrl(server.Url("/missing.html"));
    news.Execute();
    web = news.WebNews();
    ASSERT_TRUE(WaitFor([&] { return !web->Busy(); }));
    EXPECT_EQ(web->toPlainText(), server.Url("/missing.html"));
    EXPECT_EQ(news.PopupFormCount(), 3);
}

TEST_F(PopupX11Test, ClosingWhileThePageLoads)
{
    std::atomic<bool> release {false};   // outlives the server's handler
    testutil::TLoopbackServer server;
    server.Handle("/slow.html", [&](const testutil::THttpRequest&) {
        while (!release.load())
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        testutil::THttpReply late;
        late.Body = "<p>late</p>";
        return late;
    });
    TQelPopupNewsForm news;
    news.SetUrl(server.Url("/slow.html"));
    news.Execute();
    ASSERT_TRUE(WaitFor([&] { return server.Count("/slow.html") == 1; }));
    news.PopupFormAt(0)->close();
    Settle();
    EXPECT_EQ(news.PopupFormCount(), 0);
    EXPECT_EQ(news.WebNews(), nullptr);
    release = true;   // the fetch ends with nobody waiting for it
}

} // namespace
