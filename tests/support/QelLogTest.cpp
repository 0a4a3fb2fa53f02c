#include "support/QelLog.h"

#include "platform/CodePage.h"
#include "support/QelFile.h"

#include "common/TestUtil.h"

#include <QFile>
#include <QLocale>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// The log lives beside the test executable; each test starts without one.
class QelLog : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile::remove(FPath);
        FOldClock = qel::SetLogClock([] { return QDateTime(QDate(2012, 2, 29), QTime(13, 5, 9)); });
    }
    void TearDown() override
    {
        qel::SetLogClock(FOldClock);
        QFile::remove(FPath);
    }

    // "time: " and the fixed clock in the user's formats.
    static QByteArray TimeLine()
    {
        const QLocale locale = QLocale::system();
        const QDateTime at(QDate(2012, 2, 29), QTime(13, 5, 9));
        return ("time: " + locale.toString(at.date(), QLocale::ShortFormat) + u' '
                + locale.toString(at, locale.timeFormat(QLocale::LongFormat)))
            .toUtf8();
    }

    const QString FPath = qel::GetAppPath() + QStringLiteral("debug_log.txt");
    qel::TLogClock FOldClock;
};

TEST_F(QelLog, TwoRecordsExactly)
{
    qel::WriteLog(QStringLiteral("TMainForm"), QStringLiteral("文件已改名"));
    qel::WriteLog(QString(), QString());
    const QByteArray t = TimeLine();
    EXPECT_EQ(testutil::ReadAll(FPath), "\r\n" + t + "\r\nfrom: TMainForm\r\nmessage: 文件已改名\r\n"
                                        "\r\n" + t + "\r\nfrom: \r\nmessage: \r\n");
}

TEST_F(QelLog, RecordIsInTheAnsiCodePage)
{
    const QByteArray before = plat::SetAnsiCodeset("GBK");
    qel::WriteLog(QStringLiteral("中"), QStringLiteral("文\U0001F600"));
    plat::SetAnsiCodeset(before);
    EXPECT_TRUE(testutil::ReadAll(FPath).endsWith("\r\nfrom: \xD6\xD0\r\nmessage: \xCE\xC4?\r\n"));
}

TEST_F(QelLog, AppendsToAnExistingLog)
{
    testutil::MakeFile(qel::GetAppPath(), QStringLiteral("debug_log.txt"), "earlier\r\n");
    qel::WriteLog(QStringLiteral("a"), QStringLiteral("b"));
    EXPECT_EQ(testutil::ReadAll(FPath), "earlier\r\n\r\n" + TimeLine() + "\r\nfrom: a\r\nmessage: b\r\n");
}

// Another writer holding the file costs this call its record, never the log.
TEST_F(QelLog, BusyLogIsKeptAndTheRecordDropped)
{
    testutil::MakeFile(qel::GetAppPath(), QStringLiteral("debug_log.txt"), "earlier\r\n");
    const int fd = ::open(QFile::encodeName(FPath).constData(), O_WRONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
    qel::WriteLog(QStringLiteral("lost"), QStringLiteral("lost"));
    EXPECT_EQ(testutil::ReadAll(FPath), "earlier\r\n");
    ::close(fd);

    qel::WriteLog(QStringLiteral("a"), QStringLiteral("b"));
    EXPECT_EQ(testutil::ReadAll(FPath), "earlier\r\n\r\n" + TimeLine() + "\r\nfrom: a\r\nmessage: b\r\n");
}

} // namespace
