#pragma once

#include <QString>

// What identifies this product to the maker's site and to the user. Built once
// before any window exists and never changed afterwards.
extern const QString SoftwareId;
extern const QString SiteRoot;       // absolute http address, ends in "/"
extern const QString MailAddress;
extern const QString AdConfigUrl;
extern const QString VersionText;
extern const QString ReleaseDate;
extern const QString MailtoUrl;
extern const QString UpdateCheckUrl;

// What the update check is configured with. The site is told the release
// date as the version, not VersionText.
extern const QString UpdateId;
extern const QString UpdateVersion;
extern const QString UpdateUrl;
extern const QString UpdateGoto;
