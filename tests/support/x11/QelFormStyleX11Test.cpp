#include "common/TestUtil.h"

#include "support/QelFormStyle.h"

#include "platform/X11Window.h"

#include <QCursor>
#include <QGuiApplication>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>

namespace {

using testutil::WaitFor;

// New window flags give a widget a new native window, which QWidget::winId()
// does not always report; the QWindow does.
bool SkipsTaskbar(const QWidget& w)
{
    return w.windowHandle() && plat::X11SkipsTaskbar(w.windowHandle()->winId());
}

class FormStyleX11Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(QGuiApplication::platformName(), "xcb") << "needs an X server";
        FForm.setGeometry(200, 200, 300, 200);
        FForm.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&FForm));
        FStyle = new TQelFormStyle(&FForm);
        FStyle->SetAutoChecked(true);
        FStyle->SetFSNormalMenuItem(&FNormal);
        FStyle->SetFSStayOnTopMenuItem(&FOnTop);
        FStyle->SetFSOnDesktopMenuItem(&FDesktop);
    }

    bool OnTop() const { return FForm.windowFlags().testFlag(Qt::WindowStaysOnTopHint); }
    bool Below() const { return FForm.windowFlags().testFlag(Qt::WindowStaysOnBottomHint); }
    bool OffTaskbar() const { return SkipsTaskbar(FForm); }

    QWidget FForm;
    TMenuItem FNormal, FOnTop, FDesktop;
    TQelFormStyle* FStyle = nullptr;
};

TEST_F(FormStyleX11Test, StylesMoveTheWindowBetweenLayers)
{
    QStringList seen;
    FOnTop.OnClick = [&](QObject*) { seen << QStringLiteral("on top: %1").arg(OnTop()); };
    FStyle->SetFSStayOnTopMenuItem(nullptr);   // take the new handler over
    FStyle->SetFSStayOnTopMenuItem(&FOnTop);

    FOnTop.Action()->trigger();
    EXPECT_EQ(seen, QStringList {"on top: 1"});   // the earlier handler ran after the change
    EXPECT_TRUE(OnTop());
    EXPECT_FALSE(Below());
    EXPECT_TRUE(FForm.isVisible());
    EXPECT_TRUE(FOnTop.Checked());
    EXPECT_FALSE(FNormal.Checked());

    FDesktop.Action()->trigger();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&FForm));
    EXPECT_TRUE(Below());
    EXPECT_FALSE(OnTop());
    EXPECT_TRUE(FForm.isVisible());
    EXPECT_TRUE(WaitFor([&] { return OffTaskbar(); }));
    EXPECT_EQ((QList<bool> {FNormal.Checked(), FOnTop.Checked(), FDesktop.Checked()}),
              (QList<bool> {false, false, true}));

    FNormal.Action()->trigger();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&FForm));
    EXPECT_FALSE(Below());
    EXPECT_FALSE(OnTop());
    EXPECT_TRUE(WaitFor([&] { return !OffTaskbar(); }));
    EXPECT_TRUE(FNormal.Checked());
    EXPECT_FALSE(FDesktop.Checked());
    EXPECT_EQ(seen.size(), 1);
}

TEST_F(FormStyleX11Test, PinningAHiddenWindowTakesEffectWhenShown)
{
    QWidget later;
    later.setGeometry(10, 10, 100, 80);
    qel::SetFormOnDeskTop(&later);
    EXPECT_TRUE(later.windowFlags().testFlag(Qt::WindowStaysOnBottomHint));
    later.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&later));
    EXPECT_TRUE(SkipsTaskbar(later));
    EXPECT_FALSE(OffTaskbar());
}

TEST_F(FormStyleX11Test, HideAppBarCoversWindowsShownLater)
{
    qel::HideAppBar();
    QWidget later;
    later.setGeometry(10, 10, 100, 80);
    later.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&later));
    EXPECT_TRUE(SkipsTaskbar(later));
    later.hide();

    // The other tests of this program want the taskbar back.
    plat::KeepAllOffTaskbar(false);
    later.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&later));
    EXPECT_FALSE(SkipsTaskbar(later));
}

TEST_F(FormStyleX11Test, FormFollowsThePointer)
{
    QCursor::setPos(300, 250);
    ASSERT_TRUE(WaitFor([] { return QCursor::pos() == QPoint(300, 250); }));
    qel::SetFormPosAtMouse(&FForm);
    EXPECT_EQ(FForm.pos(), QPoint(300, 250));

    QPoint grip = QCursor::pos();
    qel::SetFormPosAsMouseMove(&FForm, grip);   // the pointer has not moved
    EXPECT_EQ(FForm.pos(), QPoint(300, 250));

    QCursor::setPos(330, 230);
    ASSERT_TRUE(WaitFor([] { return QCursor::pos() == QPoint(330, 230); }));
    qel::SetFormPosAsMouseMove(&FForm, grip);
    EXPECT_EQ(FForm.pos(), QPoint(330, 230));
    EXPECT_EQ(grip, QPoint(330, 230));
}

TEST_F(FormStyleX11Test, DesktopResolution)
{
    EXPECT_GT(qel::GetDeskTopDpi(), 0);
    EXPECT_GE(qel::GetPrinterDpi(), 0);   // 0 where no printer is set up
}

} // namespace
