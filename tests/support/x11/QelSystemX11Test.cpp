#include "support/QelSystem.h"

#include "platform/Exception.h"
#include "common/TestUtil.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>

namespace {

using testutil::WaitFor;

QString KeyName(int key)
{
    switch (key) {
    case Qt::Key_Control: return QStringLiteral("Ctrl");
    case Qt::Key_Shift: return QStringLiteral("Shift");
    default: return QKeySequence(key).toString();
    }
}

// A window that notes the keys it receives.
class TKeyWindow : public QWidget {
public:
    TKeyWindow()
    {
        setFocusPolicy(Qt::StrongFocus);
        setGeometry(50, 50, 200, 100);
    }
    QStringList Keys;

protected:
    void keyPressEvent(QKeyEvent* e) override
    {
        if (!e->isAutoRepeat())
            Keys << "down " + KeyName(e->key());
    }
    void keyReleaseEvent(QKeyEvent* e) override
    {
        if (!e->isAutoRepeat())
            Keys << "up " + KeyName(e->key());
    }
};

class SystemX11Test : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(QGuiApplication::platformName(), "xcb") << "needs an X server"; }
};

class KeyboardTest : public SystemX11Test {
protected:
    void SetUp() override
    {
        SystemX11Test::SetUp();
        FWindow.show();
        FWindow.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&FWindow));
    }
    TKeyWindow FWindow;
};

TEST_F(KeyboardTest, ComboReachesTheFocusedWindowInOrder)
{
    EXPECT_EQ(qel::VKeyCombo(qel::VK_CONTROL, 'V'), 4);
    ASSERT_TRUE(WaitFor([&] { return FWindow.Keys.size() >= 4; })) << FWindow.Keys.join(", ").toStdString();
    EXPECT_EQ(FWindow.Keys, (QStringList {"down Ctrl", "down V", "up V", "up Ctrl"}));

    FWindow.Keys.clear();
    EXPECT_EQ(qel::VKeyPress('7'), 2);
    ASSERT_TRUE(WaitFor([&] { return FWindow.Keys.size() >= 2; }));
    EXPECT_EQ(FWindow.Keys, (QStringList {"down 7", "up 7"}));

    // Codes that name no key inject nothing.
    EXPECT_EQ(qel::VKeyDown(0x01), 0);   // left mouse button
    EXPECT_EQ(qel::VKeyPress(0xFF), 0);
}

TEST_F(KeyboardTest, KeyStateFollowsInjectedKeys)
{
    ASSERT_FALSE(qel::IsKeyDown(qel::VK_SHIFT));
    EXPECT_EQ(qel::VKeyDown(qel::VK_SHIFT), 1);
    EXPECT_TRUE(qel::IsKeyDown(qel::VK_SHIFT));
    EXPECT_TRUE(qel::IsKeyDown(0xA0));    // VK_LSHIFT
    EXPECT_FALSE(qel::IsKeyDown(0xA1));   // VK_RSHIFT
    EXPECT_FALSE(qel::IsKeyDown('A'));
    EXPECT_EQ(qel::VKeyUp(qel::VK_SHIFT), 1);
    EXPECT_FALSE(qel::IsKeyDown(qel::VK_SHIFT));
    EXPECT_FALSE(qel::IsKeyDown(0x01));
}

TEST_F(KeyboardTest, WindowFormsSendToThatWindow)
{
    EXPECT_TRUE(qel::VKeyPress(FWindow.winId(), 'A'));
    ASSERT_TRUE(WaitFor([&] { return FWindow.Keys.size() >= 2; }));
    EXPECT_EQ(FWindow.Keys, (QStringList {"down A", "up A"}));

    FWindow.Keys.clear();
    EXPECT_TRUE(qel::VKeyCombo(FWindow.winId(), qel::VK_CONTROL, 'V'));
    ASSERT_TRUE(WaitFor([&] { return FWindow.Keys.size() >= 4; }));
    EXPECT_EQ(FWindow.Keys, (QStringList {"down Ctrl", "down V", "up V", "up Ctrl"}));

    FWindow.Keys.clear();
    EXPECT_TRUE(qel::VKeyDown(FWindow.winId(), qel::VK_RETURN));
    ASSERT_TRUE(WaitFor([&] { return !FWindow.Keys.isEmpty(); }));
    EXPECT_EQ(FWindow.Keys, (QStringList {"down Return"}));
}

TEST_F(KeyboardTest, WindowFormsRefuseBadWindows)
{
    auto* gone = new QWidget;
    gone->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(gone));
    const WId id = gone->winId();
    delete gone;

    for (WId bad : {id, WId(0), WId(0x7ffffff0)}) {
        EXPECT_FALSE(qel::VKeyDown(bad, 'A'));
        EXPECT_FALSE(qel::VKeyPress(bad, 'A'));
        EXPECT_FALSE(qel::VKeyCombo(bad, qel::VK_CONTROL, 'V'));
    }
    EXPECT_FALSE(qel::VKeyPress(FWindow.winId(), 0x01));   // no such key
    QTest::qWait(20);
    EXPECT_TRUE(FWindow.Keys.isEmpty());
}

// A borderless window of one colour at a known place.
class PaintedTest : public SystemX11Test {
protected:
    void SetUp() override
    {
        SystemX11Test::SetUp();
        FWindow.setWindowFlags(Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint);
        FWindow.setAutoFillBackground(true);
        QPalette pal = FWindow.palette();
        pal.setColor(QPalette::Window, QColor(0x12, 0x34, 0x56));
        FWindow.setPalette(pal);
        FWindow.setGeometry(100, 120, 60, 40);
        FWindow.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&FWindow));
        ASSERT_TRUE(WaitFor([] { return qel::GetPosColor(110, 130) == 0x00563412; }));
    }
    QWidget FWindow;
};

TEST_F(PaintedTest, PixelColourIsBgr)
{
    EXPECT_EQ(qel::GetPosColor(100, 120), 0x00563412u);
    EXPECT_EQ(qel::GetPosColor(159, 159), 0x00563412u);
    EXPECT_NE(qel::GetPosColor(160, 120), 0x00563412u);
    for (QPoint outside : {QPoint(-1, 0), QPoint(0, -1), QPoint(1280, 10), QPoint(10, 1024)})
        EXPECT_EQ(qel::GetPosColor(outside.x(), outside.y()), qel::CLR_INVALID) << outside.x() << "," << outside.y();
}

TEST_F(PaintedTest, SnapshotsOfScreenAndWindow)
{
    QImage screen;
    ASSERT_TRUE(qel::FullScreenSnapshot(screen));
    EXPECT_EQ(screen.size(), QSize(1280, 1024));
    EXPECT_EQ(screen.pixel(130, 140), qRgb(0x12, 0x34, 0x56));

    QImage window;
    ASSERT_TRUE(qel::WindowSnapshot(window, FWindow.winId()));
    ASSERT_EQ(window.size(), QSize(60, 40));
    EXPECT_EQ(window.pixel(0, 0), qRgb(0x12, 0x34, 0x56));
    EXPECT_EQ(window.pixel(59, 39), qRgb(0x12, 0x34, 0x56));

    QImage untouched(3, 3, QImage::Format_RGB32);
    EXPECT_FALSE(qel::WindowSnapshot(untouched, WId(0x7ffffff0)));
    EXPECT_EQ(untouched.size(), QSize(3, 3));
}

TEST_F(PaintedTest, ScreenToFileFollowsTheFormatNotTheName)
{
    QTemporaryDir dir;
    const QString bmpName = dir.filePath("shot.bmp");
    ASSERT_TRUE(qel::ScreenToFile(bmpName, qel::ifJpeg));
    const QByteArray jpeg = testutil::ReadAll(bmpName);
    EXPECT_TRUE(jpeg.startsWith("\xFF\xD8\xFF")) << jpeg.left(4).toHex().toStdString();
    EXPECT_EQ(QImage::fromData(jpeg, "JPG").size(), QSize(1280, 1024));

    const QString jpgName = dir.filePath("shot.jpg");
    ASSERT_TRUE(qel::ScreenToFile(jpgName, qel::ifBmp));
    const QImage bmp = QImage::fromData(testutil::ReadAll(jpgName), "BMP");
    EXPECT_TRUE(testutil::ReadAll(jpgName).startsWith("BM"));
    EXPECT_EQ(bmp.pixel(130, 140), qRgb(0x12, 0x34, 0x56));

    EXPECT_THROW(qel::ScreenToFile(dir.filePath("no/such/folder/x.jpg"), qel::ifJpeg), Exception);
    EXPECT_THROW(qel::BmpToJpeg(bmp, dir.filePath("no/such/folder/x.jpg")), Exception);
}

TEST_F(SystemX11Test, ClipboardRoundTrip)
{
    const QString text = QStringLiteral("剪贴板 text\nsecond line");
    EXPECT_TRUE(qel::CopyToClipboard(text));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), text);
    EXPECT_TRUE(qel::CopyToClipboard(QString()));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString());
}

} // namespace
