#pragma once

#include <QString>

namespace qel {

// True for an absolute http or https address with a host. Addresses that
// come from the network pass through here before anything opens them, so a
// file path, "file:", "javascript:" or a program is never started.
bool IsWebUrl(const QString& url);

// Opens `url` through ShellOpen() when IsWebUrl() accepts it; otherwise does
// nothing. Returns whether it was handed on.
bool ShellOpenWebUrl(const QString& url);

} // namespace qel
