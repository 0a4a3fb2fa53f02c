#pragma once

#include "platform/StringList.h"

#include <QHash>
#include <QString>
#include <optional>

// An INI document held in memory, read by these rules:
// - lines end at CR, LF or CR LF and are trimmed of blanks and control
//   characters; empty lines and lines starting with ";" are skipped;
// - "[name]" opens a section (name trimmed); lines before the first one are
//   ignored;
// - "key=value" splits at the first "=", both sides trimmed; a line without
//   "=" defines nothing;
// - sections and keys match without regard to case (full Unicode
//   upper-casing); a section that occurs again replaces the earlier one
//   entirely, and within a section the last occurrence of a key wins.
class TMemIniFile {
public:
    TMemIniFile() = default;
    explicit TMemIniFile(const QString& text) { SetText(text); }

    // Replaces the whole content.
    void SetText(const QString& text);
    void SetStrings(const TStrings& lines);

    // The key's value, the empty text when the key is present with nothing
    // after "=", `defaultValue` when the section or the key is missing.
    QString ReadString(const QString& section, const QString& ident, const QString& defaultValue) const;
    // The key's value read by StrToInt(), `defaultValue` when it is missing
    // or not a number.
    int ReadInteger(const QString& section, const QString& ident, int defaultValue) const;

    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& ident) const;

    // Decimal with an optional sign; "$" or "0x"/"0X" followed by hex digits
    // (up to 32 bits, which wrap into int). False for anything else,
    // including a value out of int's range.
    static bool StrToInt(const QString& s, int& value);

private:
    void AddLine(const QString& line, std::optional<QString>& section);

    // Upper-cased section name -> upper-cased key -> value.
    QHash<QString, QHash<QString, QString>> FSections;
};
