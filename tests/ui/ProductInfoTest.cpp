#include "ui/ProductInfo.h"

#include <gtest/gtest.h>

TEST(ProductInfo, AddressesAreTheSiteRootWithTheirPaths)
{
    EXPECT_TRUE(SiteRoot.startsWith(QLatin1String("http")));
    EXPECT_TRUE(SiteRoot.endsWith(u'/'));
    EXPECT_EQ(AdConfigUrl, SiteRoot + QStringLiteral("ad/ad_cfg.php?id=rename"));
    EXPECT_EQ(UpdateCheckUrl, SiteRoot + QStringLiteral("ver.php"));
    EXPECT_EQ(MailtoUrl, QStringLiteral("mailto:") + MailAddress);
    EXPECT_EQ(VersionText, QStringLiteral("V1.1.0"));
    // The update check reports the release date as the version.
    EXPECT_EQ(UpdateId, QStringLiteral("rename"));
    EXPECT_EQ(UpdateVersion, QStringLiteral("2011-09-12"));
    EXPECT_EQ(UpdateUrl, UpdateCheckUrl);
    EXPECT_EQ(UpdateGoto, SiteRoot);
}
