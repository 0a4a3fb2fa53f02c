#include "services/QelCheckUpdate.h"

#include "common/LoopbackServer.h"
#include "common/ModalUtil.h"
#include "platform/HttpClient.h"
#include "support/QelFile.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

using testutil::THttpReply;
using testutil::TLoopbackServer;

namespace {

using testutil::AnswerBox;
using testutil::TBoxSeen;

class CheckUpdateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FOld = qel::SetShellOpenHandler([this](const QString& file, const QString&, const QString&) { Opened.append(file); });
        Check.SetID(QStringLiteral("rename"));
        Check.SetVersion(QStringLiteral("2011-09-12"));
        Check.SetUrl(Server.Url(QStringLiteral("/ver.php")));
        Check.SetGoto(QStringLiteral("http://www.ralvinor.example/"));
    }
    void TearDown() override { qel::SetShellOpenHandler(FOld); }

    TLoopbackServer Server;
    TQelCheckUpdate Check;
    QStringList Opened;

private:
    qel::TShellOpenHandler FOld;
};

} // namespace

TEST_F(CheckUpdateTest, RequestTargetByteForByte)
{
    Server.Reply("/ver.php", testutil::TextReply("0"));
    Check.Execute();
    ASSERT_EQ(Server.Requests().size(), 1);
    EXPECT_EQ(Server.Requests().front().Target, QByteArray("/ver.php?id=rename&&ver=2011-09-12"));
}

TEST_F(CheckUpdateTest, OnlyTheExactReplyOneIsANewVersion)
{
    struct Case {
        QByteArray reply;
        bool newer;
    } cases[] = {
        {"1", true}, {"0", false}, {"", false}, {"1\n", false}, {"1\r\n", false},
        {" 1", false}, {"1 ", false}, {"01", false}, {"\xEF\xBC\x91", false} /* fullwidth 1 */,
    };
    for (const Case& c : cases) {
        Server.Reply("/ver.php", testutil::TextReply(c.reply));
        int fired = 0;
        QObject* sender = &Check;
        Check.OnNewVersion = [&](QObject* s) {
            ++fired;
            sender = s;
        };
        Check.Execute();
        EXPECT_EQ(fired, c.newer ? 1 : 0) << c.reply.toStdString();
        if (c.newer) {
            EXPECT_EQ(sender, nullptr);
        }
    }
    EXPECT_TRUE(Opened.isEmpty());
}

TEST_F(CheckUpdateTest, QuestionOpensTheSiteOnOkOnly)
{
    Server.Reply("/ver.php", testutil::TextReply("1"));
    TBoxSeen seen;
    AnswerBox(QMessageBox::Cancel, &seen);
    Check.Execute();
    EXPECT_TRUE(seen.Seen);
    EXPECT_EQ(seen.Title, QStringLiteral("询问"));
    EXPECT_EQ(seen.Text, QStringLiteral("有新版本软件是否查看？"));
    EXPECT_TRUE(Opened.isEmpty());

    Check.SetMessage(QStringLiteral("去看看？"));
    seen = TBoxSeen();
    AnswerBox(QMessageBox::Ok, &seen);
    Check.Execute();
    EXPECT_EQ(seen.Text, QStringLiteral("去看看？"));
    EXPECT_EQ(Opened, QStringList {QStringLiteral("http://www.ralvinor.example/")});
}

TEST_F(CheckUpdateTest, GotoThatIsNoWebAddressIsNotOpened)
{
    Server.Reply("/ver.php", testutil::TextReply("1"));
    for (const QString& target : {QStringLiteral("/usr/bin/xterm"), QStringLiteral("file:///etc/passwd"),
                                  QStringLiteral("javascript:alert(1)"), QString()}) {
        Check.SetGoto(target);
        TBoxSeen seen;
        AnswerBox(QMessageBox::Ok, &seen);
        Check.Execute();
        EXPECT_TRUE(seen.Seen);
        EXPECT_TRUE(Opened.isEmpty()) << target.toStdString();
    }
}

TEST_F(CheckUpdateTest, FailedRequestRaisesBeforeAnything)
{
    int fired = 0;
    Check.OnNewVersion = [&](QObject*) { ++fired; };
    THttpReply error = testutil::TextReply("1");
    error.Status = 500;
    Server.Reply("/ver.php", error);
    EXPECT_THROW(Check.Execute(), EHttpError);
    Check.SetUrl(testutil::ClosedLoopbackUrl(QStringLiteral("/ver.php")));
    EXPECT_THROW(Check.Execute(), EHttpError);
    EXPECT_EQ(fired, 0);
}
