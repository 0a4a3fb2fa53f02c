#include "support/QelWebUrl.h"

#include "support/QelFile.h"

#include <QStringList>
#include <gtest/gtest.h>

TEST(QelWebUrlTest, OnlyHttpAndHttpsAddressesAreOpened)
{
    struct Case {
        const char* url;
        bool web;
    } cases[] = {
        {"http://www.ralvinor.example/", true},
        {"https://127.0.0.1:8765/ad/x.php?id=1&&k=2#top", true},
        {"HTTP://WWW.RALVINOR.EXAMPLE/", true},
        {"http://[::1]/", true},
        {"", false},
        {"www.ralvinor.example", false},
        {"/usr/bin/xterm", false},
        {"file:///etc/passwd", false},
        {"javascript:alert(1)", false},
        {"ftp://127.0.0.1/x", false},
        {"mailto:support@ralvinor.example", false},
        {"http:/no-host", false},
        {"http://", false},
        {" http://www.ralvinor.example/", false},
        {"http://www.ralvinor.example/a b", false},
        {"http://www.ralvinor.example/\n/usr/bin/xterm", false},
    };
    QStringList opened;
    const auto old = qel::SetShellOpenHandler(
        [&opened](const QString& file, const QString&, const QString&) { opened.append(file); });
    for (const Case& c : cases) {
        const QString url = QString::fromUtf8(c.url);
        opened.clear();
        EXPECT_EQ(qel::IsWebUrl(url), c.web) << c.url;
        EXPECT_EQ(qel::ShellOpenWebUrl(url), c.web) << c.url;
        EXPECT_EQ(opened, c.web ? QStringList {url} : QStringList {}) << c.url;
    }
    qel::SetShellOpenHandler(old);
}
