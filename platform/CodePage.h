#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

// Byte strings of the "ANSI code page": on Linux that is the codeset of the
// process locale. A plain C/POSIX locale only promises ASCII, so it counts as
// UTF-8 here; every other codeset (GBK, GB18030, ISO-8859-1, ...) is used as
// the locale names it. All conversions go through iconv.
namespace plat {

// Codeset of the user's locale (LANG / LC_ALL / LC_CTYPE), as iconv names it;
// "UTF-8" for the C and POSIX locales. Read once, then kept.
QByteArray AnsiCodeset();

// Codeset of the locale `localeName` ("" = the user's) by the same rules; a
// locale that is not installed counts as C.
QByteArray LocaleCodeset(const QByteArray& localeName);

// Test seam: while `codeset` is not empty it replaces the locale's codeset for
// ToAnsi/FromAnsi. Returns the override that was set before (empty: none).
QByteArray SetAnsiCodeset(const QByteArray& codeset);

// Text to bytes of the ANSI code page; a character the codeset cannot hold
// becomes "?".
QByteArray ToAnsi(const QString& text);

// Bytes of the ANSI code page to text; a byte sequence that is not valid in
// the codeset becomes "?".
QString FromAnsi(const QByteArray& bytes);

// Whether iconv can convert to and from the encoding `name` ("GB2312",
// "gbk", "UTF-8", "ISO-8859-1", ...).
bool IsKnownEncoding(const QByteArray& name);

// Text to bytes of the named encoding, unconvertible characters as "?".
// Returns a null QByteArray when iconv does not know the name.
QByteArray ToEncoding(const QString& text, const QByteArray& encoding);

// As above, but a character the encoding cannot hold is written as
// `substitute` of its code point (a lone surrogate: of the code unit).
using TSubstitute = std::function<QString(char32_t codePoint)>;
QByteArray ToEncoding(const QString& text, const QByteArray& encoding, const TSubstitute& substitute);

// Bytes of the named encoding to text, invalid sequences as "?". Returns a
// null QString when iconv does not know the name.
QString FromEncoding(const QByteArray& bytes, const QByteArray& encoding);

} // namespace plat
