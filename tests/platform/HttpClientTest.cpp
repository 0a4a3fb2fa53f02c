#include "platform/HttpClient.h"

#include "platform/CodePage.h"

#include "common/LoopbackServer.h"

#include <gtest/gtest.h>

#include <future>

using testutil::THttpReply;
using testutil::TLoopbackServer;

namespace {

THttpReply Redirect(const QByteArray& location)
{
    THttpReply r;
    r.Status = 302;
    r.Headers.append({"Location", location});
    return r;
}

} // namespace

TEST(HttpClientTest, DecodesByDeclaredCharsetElseUtf8)
{
    const QByteArray gbk("\xD6\xD0\xCE\xC4"); // "中文" in GBK
    const QByteArray utf8 = QStringLiteral("中文").toUtf8();
    struct Case {
        const char* what;
        QByteArray body;
        QByteArray type;
        QString expected;
    } cases[] = {
        {"declared utf-8", utf8, "text/plain; charset=utf-8", QStringLiteral("中文")},
        {"declared gbk", gbk, "text/plain; charset=gbk", QStringLiteral("中文")},
        {"quoted, upper case, gb2312", gbk, "text/html;Charset=\"GB2312\"", QStringLiteral("中文")},
        {"no charset, valid utf-8", utf8, "text/plain", QStringLiteral("中文")},
        {"utf-8 byte order mark dropped", "\xEF\xBB\xBF[set]", "text/plain", QStringLiteral("[set]")},
        {"unknown charset read as utf-8", utf8, "text/plain; charset=x-no-such", QStringLiteral("中文")},
        {"bad gbk byte replaced", QByteArray("a\xFF" "b"), "text/plain; charset=gbk", QStringLiteral("a?b")},
        {"empty body", QByteArray(), "text/plain; charset=gbk", QString()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(THttpClient::DecodeText(c.body, c.type), c.expected) << c.what;

    // Without a charset, bytes that are not UTF-8 are read in the locale's codeset.
    const QByteArray old = plat::SetAnsiCodeset("GBK");
    EXPECT_EQ(THttpClient::DecodeText(gbk, "text/plain"), QStringLiteral("中文"));
    EXPECT_EQ(THttpClient::DecodeText(utf8, "text/plain"), QStringLiteral("中文"));
    plat::SetAnsiCodeset(old);
}

TEST(HttpClientTest, GetsTextAndBytes)
{
    TLoopbackServer server;
    server.Reply("/gbk", testutil::TextReply("\xD6\xD0\xCE\xC4", "text/plain; charset=GBK"));
    const QByteArray binary("\x00\x01\xFF\xD8 bytes\r\n", 11);
    server.Reply("/bin", testutil::TextReply(binary, "image/jpeg"));

    THttpClient http;
    EXPECT_EQ(http.Get(server.Url("/gbk")), QStringLiteral("中文"));
    EXPECT_EQ(http.ResponseCode(), 200);
    EXPECT_EQ(http.GetBytes(server.Url("/bin")), binary);
    EXPECT_EQ(http.ContentType(), "image/jpeg");
    ASSERT_FALSE(server.Requests().isEmpty());
    EXPECT_TRUE(server.Requests().front().UserAgent.startsWith("Ralvinor/")) << server.Requests().front().UserAgent.constData();
}

TEST(HttpClientTest, ErrorStatusRaisesWithTheStatus)
{
    TLoopbackServer server;
    for (int status : {400, 404, 500, 503}) {
        THttpReply r = testutil::TextReply("error page");
        r.Status = status;
        server.Reply("/e", r);
        THttpClient http;
        try {
            http.Get(server.Url("/e"));
            ADD_FAILURE() << "no exception for " << status;
        } catch (const EHttpError& e) {
            EXPECT_EQ(e.StatusCode(), status);
        }
    }
    THttpReply empty;
    empty.Status = 204;
    server.Reply("/empty", empty);
    THttpClient http;
    EXPECT_TRUE(http.GetBytes(server.Url("/empty")).isEmpty());
}

TEST(HttpClientTest, ConnectionRefusedRaises)
{
    THttpClient http;
    const QString url = testutil::ClosedLoopbackUrl();
    try {
        http.Get(url);
        ADD_FAILURE() << "no exception";
    } catch (const EHttpError& e) {
        EXPECT_EQ(e.StatusCode(), 0);
        EXPECT_FALSE(e.Message().isEmpty());
    }
}

TEST(HttpClientTest, FollowsAtMostFiveWebRedirects)
{
    TLoopbackServer server;
    server.Reply("/target", testutil::TextReply("arrived"));
    // /r5 -> /r4 -> ... -> /r1 -> /target is five redirects; /r6 is one more.
    server.Reply("/r1", Redirect("/target"));
    for (int i = 2; i <= 6; ++i)
        server.Reply("/r" + QByteArray::number(i), Redirect("/r" + QByteArray::number(i - 1)));
    server.Reply("/to-file", Redirect("file:///etc/hostname"));

    THttpClient http;
    EXPECT_EQ(http.Get(server.Url("/r5")), QStringLiteral("arrived"));
    EXPECT_THROW(http.Get(server.Url("/r6")), EHttpError);
    EXPECT_THROW(http.Get(server.Url("/to-file")), EHttpError);
    EXPECT_THROW(http.Get(QStringLiteral("file:///etc/hostname")), EHttpError);
    EXPECT_THROW(http.Get(QString()), EHttpError);
}

TEST(HttpClientTest, BodyOverTheLimitFails)
{
    TLoopbackServer server;
    const QByteArray body(1000, 'x');
    server.Reply("/sized", testutil::TextReply(body));
    THttpReply chunked = testutil::TextReply(body);
    chunked.Chunked = true; // no Content-Length: the limit must hold while reading
    server.Reply("/chunked", chunked);

    for (const char* path : {"/sized", "/chunked"}) {
        THttpClient http;
        http.SetMaxSize(1000);
        EXPECT_EQ(http.GetBytes(server.Url(QString::fromLatin1(path))), body) << path;
        http.SetMaxSize(999);
        EXPECT_THROW(http.GetBytes(server.Url(QString::fromLatin1(path))), EHttpError) << path;
    }
}

TEST(HttpClientTest, TimeoutAndAbortRaise)
{
    TLoopbackServer server;
    auto release = std::make_shared<std::promise<void>>();
    std::shared_future<void> released = release->get_future().share();
    server.Handle("/slow", [released](const testutil::THttpRequest&) {
        released.wait();
        return testutil::TextReply("late");
    });
    server.Reply("/fast", testutil::TextReply("ok"));

    THttpClient http;
    http.SetTimeout(100);
    EXPECT_THROW(http.Get(server.Url("/slow")), EHttpError);
    release->set_value();

    std::atomic<bool> abort {true};
    http.SetAbortFlag(&abort);
    EXPECT_THROW(http.Get(server.Url("/fast")), EHttpError);
    abort = false;
    EXPECT_EQ(http.Get(server.Url("/fast")), QStringLiteral("ok"));
}
