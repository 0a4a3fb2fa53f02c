#include "services/QelNet.h"

#include "common/LoopbackServer.h"

#include <gtest/gtest.h>

using testutil::TLoopbackServer;

TEST(QelNetTest, ProbeTrueForAListeningPortFalseForAClosedOne)
{
    TLoopbackServer server;
    const QString open = server.Url(QStringLiteral("/any/path.php?id=1&&x=2"));
    const QString closed = QStringLiteral("http://127.0.0.1:%1/").arg(testutil::ClosedLoopbackPort());

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

    qel::RunNetProbe(flags, QStringLiteral("http://127.0.0.1:%1/").arg(testutil::ClosedLoopbackPort()));
    EXPECT_FALSE(flags.Passed.load());
    EXPECT_FALSE(flags.Checking.load());
}
