#include "support/QelSystem.h"

#include "platform/Autostart.h"
#include "common/TestUtil.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMutex>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <dlfcn.h>
#include <unistd.h>

namespace {

// Every autostart test works in its own XDG_CONFIG_HOME: the user's real
// autostart folder is never touched.
class AutostartTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FHome.isValid());
        FOld = qgetenv("XDG_CONFIG_HOME");
        FHadOld = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", FHome.path().toLocal8Bit());
        ASSERT_EQ(plat::AutostartDir(), FHome.path() + "/autostart");
    }
    void TearDown() override
    {
        if (FHadOld)
            qputenv("XDG_CONFIG_HOME", FOld);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }
    QString Entry(const QString& name) const { return FHome.path() + "/autostart/" + name + ".desktop"; }

    QTemporaryDir FHome;
    QByteArray FOld;
    bool FHadOld = false;
};

TEST_F(AutostartTest, RoundTrip)
{
    const QString cmd = QStringLiteral("/opt/ralvinor/ralvinor --min");
    EXPECT_TRUE(qel::SetOnBootRun("Ralvinor", cmd, true));
    EXPECT_TRUE(qel::GetOnBootRun("Ralvinor", cmd));
    EXPECT_FALSE(qel::GetOnBootRun("Ralvinor", cmd + " "));
    EXPECT_FALSE(qel::GetOnBootRun("ralvinor", cmd));   // names are case-sensitive
    EXPECT_TRUE(testutil::ReadAll(Entry("Ralvinor")).contains("\nExec=" + cmd.toUtf8() + "\n"));

    // Writing again replaces the command.
    EXPECT_TRUE(qel::SetOnBootRun("Ralvinor", "/usr/bin/other", true));
    EXPECT_TRUE(qel::GetOnBootRun("Ralvinor", "/usr/bin/other"));
    EXPECT_FALSE(qel::GetOnBootRun("Ralvinor", cmd));

    EXPECT_TRUE(qel::SetOnBootRun("Ralvinor", QString(), false));
    EXPECT_FALSE(QFileInfo::exists(Entry("Ralvinor")));
    EXPECT_FALSE(qel::GetOnBootRun("Ralvinor", "/usr/bin/other"));
    // A missing entry reads as an empty command.
    EXPECT_TRUE(qel::GetOnBootRun("Ralvinor", QString()));
    // Removing what is not there is no failure.
    EXPECT_TRUE(qel::SetOnBootRun("Ralvinor", QString(), false));
}

TEST_F(AutostartTest, CommandsSurviveTheFileSyntax)
{
    const QString commands[] = {
        QStringLiteral("\"/opt/My Apps/中文.sh\" -a"),
        QStringLiteral("C:\\path\\app.exe /min"),
        QStringLiteral("  leading spaces"),
        QStringLiteral("one\nExec=/bin/evil\n[Other]"),
        QStringLiteral("tab\there\rcr"),
    };
    for (const QString& cmd : commands) {
        SCOPED_TRACE(cmd.toStdString());
        ASSERT_TRUE(qel::SetOnBootRun("Entry", cmd, true));
        EXPECT_TRUE(qel::GetOnBootRun("Entry", cmd));
        // Whatever the command holds, the file keeps a single Exec line.
        const QList<QByteArray> lines = testutil::ReadAll(Entry("Entry")).split('\n');
        EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](const QByteArray& l) { return l.startsWith("Exec="); }),
                  1);
        EXPECT_FALSE(testutil::ReadAll(Entry("Entry")).contains('\r'));
    }
}

TEST_F(AutostartTest, NamesThatWouldLeaveTheFolderAreRefused)
{
    const QString names[] = {
        QString(), QStringLiteral("a/b"), QStringLiteral("/tmp/x"), QStringLiteral("../x"),
        QStringLiteral(".."), QStringLiteral("x/../../y"), QStringLiteral("a.."), QString(QChar(u'\0')) + "x",
    };
    // A real entry beside them must stay untouched.
    ASSERT_TRUE(qel::SetOnBootRun("Keep", "/bin/keep", true));
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_FALSE(qel::SetOnBootRun(name, "/bin/x", true));
        EXPECT_FALSE(qel::GetOnBootRun(name, "/bin/x"));
        EXPECT_FALSE(qel::GetOnBootRun(name, QString()));
        EXPECT_FALSE(qel::SetOnBootRun(name, QString(), false));
    }
    EXPECT_EQ(testutil::NamesIn(FHome.path()), QStringList {"autostart"});
    EXPECT_EQ(testutil::NamesIn(FHome.path() + "/autostart"), QStringList {"Keep.desktop"});
    EXPECT_TRUE(qel::GetOnBootRun("Keep", "/bin/keep"));
}

TEST_F(AutostartTest, FolderThatCannotBeMadeReportsFailure)
{
    // A file where the configuration folder should be: not even root gets
    // an autostart folder inside it.
    qputenv("XDG_CONFIG_HOME", testutil::MakeFile(FHome.path(), "plain", "x").toLocal8Bit());
    EXPECT_FALSE(qel::SetOnBootRun("Ralvinor", "/bin/x", true));
    EXPECT_FALSE(qel::GetOnBootRun("Ralvinor", QString()));
    EXPECT_EQ(testutil::ReadAll(FHome.path() + "/plain"), "x");
}

// --- RegComServer -----------------------------------------------------------

class RegComServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FDir.isValid());
        FLog = FDir.filePath("calls.txt");
        qputenv("RALVINOR_COMSERVER_LOG", FLog.toLocal8Bit());
    }
    void TearDown() override { qunsetenv("RALVINOR_COMSERVER_LOG"); }

    QByteArray Calls() const { return testutil::ReadAll(FLog); }
    static bool StillLoaded(const char* path)
    {
        void* h = ::dlopen(path, RTLD_NOW | RTLD_NOLOAD);
        if (h)
            ::dlclose(h);
        return h != nullptr;
    }

    QTemporaryDir FDir;
    QString FLog;
};

TEST_F(RegComServerTest, CallsTheEntryAndUnloads)
{
    EXPECT_TRUE(qel::RegComServer(RALVINOR_COMSERVER, true));
    EXPECT_EQ(Calls(), "register\n");
    EXPECT_FALSE(StillLoaded(RALVINOR_COMSERVER));
    EXPECT_TRUE(qel::RegComServer(RALVINOR_COMSERVER, false));
    EXPECT_EQ(Calls(), "register\nunregister\n");
    EXPECT_FALSE(StillLoaded(RALVINOR_COMSERVER));
}

TEST_F(RegComServerTest, WithoutTheEntryNothingIsCalledOrKept)
{
    EXPECT_FALSE(qel::RegComServer(RALVINOR_COMSERVER_NOENTRY, true));
    EXPECT_FALSE(qel::RegComServer(RALVINOR_COMSERVER_NOENTRY, false));
    EXPECT_TRUE(Calls().isNull());
    EXPECT_FALSE(StillLoaded(RALVINOR_COMSERVER_NOENTRY));

    EXPECT_FALSE(qel::RegComServer(FDir.filePath("missing.so"), true));
    EXPECT_FALSE(qel::RegComServer(testutil::MakeFile(FDir.path(), "junk.so", "not a library"), true));
    EXPECT_FALSE(qel::RegComServer(QString(), true));
}

// --- Shutdown ---------------------------------------------------------------

// A stand-in for systemd-logind on a private bus: records the calls and
// accepts or refuses them. It lives on its own thread, so the blocking calls
// of the code under test get their replies.
class TFakeLogind : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public:
    std::atomic<bool> Refuse {false};

    QStringList Calls()
    {
        QMutexLocker lock(&FMutex);
        return FCalls;
    }

    // Records the call; true when it is to be refused.
    bool Record(const QString& call)
    {
        QMutexLocker lock(&FMutex);
        FCalls << call;
        return Refuse.load();
    }

public slots:
    void PowerOff(bool interactive) { Answer(QStringLiteral("PowerOff(%1)").arg(interactive ? "true" : "false")); }
    void Reboot(bool interactive) { Answer(QStringLiteral("Reboot(%1)").arg(interactive ? "true" : "false")); }
    QDBusObjectPath GetSessionByPID(uint pid)
    {
        Answer(QStringLiteral("GetSessionByPID(%1)").arg(pid == uint(::getpid()) ? "self" : "other"));
        return QDBusObjectPath("/org/freedesktop/login1/session/_31");
    }

private:
    void Answer(const QString& call)
    {
        if (Record(call))
            sendErrorReply(QDBusError::AccessDenied, QStringLiteral("Interactive authentication required."));
    }

    QMutex FMutex;
    QStringList FCalls;
};

class TFakeSession : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Session")

public:
    explicit TFakeSession(TFakeLogind* logind) : FLogind(logind) {}

public slots:
    void Terminate()
    {
        if (FLogind->Record(QStringLiteral("Terminate")))
            sendErrorReply(QDBusError::AccessDenied, QStringLiteral("refused"));
    }

private:
    TFakeLogind* FLogind;
};

class ShutdownTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString daemon = QStandardPaths::findExecutable("dbus-daemon");
        if (daemon.isEmpty())
            GTEST_SKIP() << "dbus-daemon is not installed";
        ASSERT_TRUE(FDir.isValid());
        const QString config = testutil::MakeFile(
            FDir.path(), "bus.conf",
            "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
            " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
            "<busconfig><type>session</type><listen>unix:dir="
                + FDir.path().toUtf8()
                + "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                  "<allow send_destination=\"*\"/><allow receive_sender=\"*\"/><allow own=\"*\"/>"
                  "</policy></busconfig>\n");
        FDaemon.start(daemon, {"--nofork", "--print-address=1", "--config-file=" + config});
        ASSERT_TRUE(FDaemon.waitForStarted());
        while (!FDaemon.canReadLine())
            ASSERT_TRUE(FDaemon.waitForReadyRead(10000)) << "the bus did not start";
        const QString address = QString::fromUtf8(FDaemon.readLine()).trimmed();

        FServer = QDBusConnection::connectToBus(address, "fake-logind");
        FClient = QDBusConnection::connectToBus(address, "logind-client");
        ASSERT_TRUE(FServer.isConnected());
        ASSERT_TRUE(FClient.isConnected());

        FLogind = new TFakeLogind;
        FSession = new TFakeSession(FLogind);
        FLogind->moveToThread(&FThread);
        FSession->moveToThread(&FThread);
        FThread.start();
        ASSERT_TRUE(FServer.registerObject("/org/freedesktop/login1", FLogind, QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(FServer.registerObject("/org/freedesktop/login1/session/_31", FSession,
                                           QDBusConnection::ExportAllSlots));
    }

    void TearDown() override
    {
        if (FDaemon.state() == QProcess::NotRunning)
            return;
        FServer.unregisterObject("/org/freedesktop/login1");
        FServer.unregisterObject("/org/freedesktop/login1/session/_31");
        FThread.quit();
        FThread.wait();
        delete FSession;
        delete FLogind;
        QDBusConnection::disconnectFromBus("fake-logind");
        QDBusConnection::disconnectFromBus("logind-client");
        FDaemon.kill();
        FDaemon.waitForFinished();
    }

    bool Claim() { return FServer.registerService("org.freedesktop.login1"); }

    QTemporaryDir FDir;
    QProcess FDaemon;
    QThread FThread;
    QDBusConnection FServer {QString()};
    QDBusConnection FClient {QString()};
    TFakeLogind* FLogind = nullptr;
    TFakeSession* FSession = nullptr;
};

TEST_F(ShutdownTest, AsksLogindForWhatTheFlagsSay)
{
    ASSERT_TRUE(Claim());
    struct Row {
        unsigned Flags;
        QStringList Calls;
    };
    const Row rows[] = {
        {qel::EWX_POWEROFF, {"PowerOff(false)"}},
        {qel::EWX_SHUTDOWN | qel::EWX_FORCE, {"PowerOff(false)"}},
        {qel::EWX_REBOOT, {"Reboot(false)"}},
        {qel::EWX_LOGOFF, {"GetSessionByPID(self)", "Terminate"}},
    };
    QStringList expected;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Flags);
        EXPECT_TRUE(qel::Shutdown(row.Flags, FClient));
        expected << row.Calls;
        EXPECT_EQ(FLogind->Calls(), expected);
    }
}

TEST_F(ShutdownTest, RefusedOrMissingServiceGivesFalse)
{
    // Nobody answers as logind yet.
    EXPECT_FALSE(qel::Shutdown(qel::EWX_POWEROFF, FClient));
    EXPECT_FALSE(qel::Shutdown(qel::EWX_LOGOFF, FClient));

    ASSERT_TRUE(Claim());
    FLogind->Refuse = true;
    EXPECT_FALSE(qel::Shutdown(qel::EWX_POWEROFF, FClient));
    EXPECT_FALSE(qel::Shutdown(qel::EWX_REBOOT, FClient));
    EXPECT_FALSE(qel::Shutdown(qel::EWX_LOGOFF, FClient));
    EXPECT_EQ(FLogind->Calls(), (QStringList {"PowerOff(false)", "Reboot(false)", "GetSessionByPID(self)"}));
}

TEST(Shutdown, NoBusGivesFalse)
{
    EXPECT_FALSE(qel::Shutdown(qel::EWX_POWEROFF, QDBusConnection("ralvinor-no-such-bus")));
}

// --- Processes ---------------------------------------------------------------

TEST(GetProcessID, FindsExactNameOnly)
{
    const QString self = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    const quint32 found = qel::GetProcessID(self);
    // A twin run of this very program may have started first.
    ASSERT_NE(found, 0u);
    EXPECT_LE(found, quint32(::getpid()));
    EXPECT_EQ(QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/%1/exe").arg(found))).fileName(), self);

    EXPECT_EQ(qel::GetProcessID(self.toUpper()), 0u);
    EXPECT_EQ(qel::GetProcessID(self.left(self.size() - 1)), 0u);
    EXPECT_EQ(qel::GetProcessID(QString()), 0u);
    EXPECT_EQ(qel::GetProcessID("/proc/self/exe"), 0u);
}

// --- Capture ------------------------------------------------------------------

TEST(ScreenSnapshot, CopiesTheRectangleAndBlackensWhatLiesOutside)
{
    QImage canvas(4, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            canvas.setPixel(x, y, qRgb(10 * x, 10 * y, 200));
    QImage bitmap;
    qel::ScreenSnapshot(bitmap, canvas, QRect(2, 1, 4, 3));
    ASSERT_EQ(bitmap.size(), QSize(4, 3));
    EXPECT_EQ(bitmap.pixel(0, 0), qRgb(20, 10, 200));
    EXPECT_EQ(bitmap.pixel(1, 1), qRgb(30, 20, 200));
    EXPECT_EQ(bitmap.pixel(2, 0), qRgb(0, 0, 0));
    EXPECT_EQ(bitmap.pixel(0, 2), qRgb(0, 0, 0));

    qel::ScreenSnapshot(bitmap, QImage(), QRect(0, 0, 5, 6));
    EXPECT_EQ(bitmap.size(), QSize(5, 6));
}

// --- Without an X display ----------------------------------------------------

TEST(SystemWithoutX, KeyboardFunctionsFailCleanly)
{
    ASSERT_NE(QGuiApplication::platformName(), "xcb");
    EXPECT_EQ(qel::VKeyDown(qel::VK_SHIFT), 0);
    EXPECT_EQ(qel::VKeyUp(qel::VK_SHIFT), 0);
    EXPECT_EQ(qel::VKeyPress('A'), 0);
    EXPECT_EQ(qel::VKeyCombo(qel::VK_CONTROL, 'V'), 0);
    EXPECT_FALSE(qel::IsKeyDown(qel::VK_SHIFT));
    EXPECT_FALSE(qel::VKeyDown(WId(1), 'A'));
    EXPECT_FALSE(qel::VKeyPress(WId(1), 'A'));
    EXPECT_FALSE(qel::VKeyCombo(WId(1), qel::VK_CONTROL, 'V'));
    QImage shot;
    EXPECT_FALSE(qel::WindowSnapshot(shot, WId(1)));
}

} // namespace

#include "QelSystemTest.moc"
