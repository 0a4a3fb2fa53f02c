#include "ui/ProductInfo.h"

namespace {

// The addresses below are joined onto the root without a separator, so a
// root configured without its final "/" gets one.
QString WithFinalSlash(QString root)
{
    if (!root.endsWith(u'/'))
        root += u'/';
    return root;
}

} // namespace

// Defined in dependency order: each composite follows its parts.
const QString SoftwareId = QStringLiteral("rename");
const QString SiteRoot = WithFinalSlash(QStringLiteral(RALVINOR_SITE_ROOT));
const QString MailAddress = QStringLiteral(RALVINOR_MAIL);
const QString AdConfigUrl = SiteRoot + QStringLiteral("ad/ad_cfg.php?id=") + SoftwareId;
const QString VersionText = QStringLiteral("V1.1.0");
const QString ReleaseDate = QStringLiteral("2011-09-12");
const QString MailtoUrl = QStringLiteral("mailto:") + MailAddress;
const QString UpdateCheckUrl = SiteRoot + QStringLiteral("ver.php");

const QString UpdateId = SoftwareId;
const QString UpdateVersion = ReleaseDate;
const QString UpdateUrl = UpdateCheckUrl;
const QString UpdateGoto = SiteRoot;
