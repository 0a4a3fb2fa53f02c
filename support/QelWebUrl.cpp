#include "support/QelWebUrl.h"

#include "support/QelFile.h"

#include <QUrl>

namespace qel {

bool IsWebUrl(const QString& url)
{
    // Blanks or control characters anywhere make it no plain web address.
    for (QChar c : url) {
        if (c.unicode() <= 0x20 || c.category() == QChar::Other_Control)
            return false;
    }
    const QUrl u(url, QUrl::StrictMode);
    if (!u.isValid() || u.isRelative())
        return false;
    const QString scheme = u.scheme().toLower();
    return (scheme == QLatin1String("http") || scheme == QLatin1String("https")) && !u.host().isEmpty();
}

bool ShellOpenWebUrl(const QString& url)
{
    if (!IsWebUrl(url))
        return false;
    ShellOpen(url, QString(), QString());
    return true;
}

} // namespace qel
