#include "platform/MemIniFile.h"

#include <limits>

namespace {

bool IsTrimmed(QChar c)
{
    return c.unicode() <= 0x20 || c.category() == QChar::Other_Control;
}

QString Trim(const QString& s)
{
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && IsTrimmed(s[b]))
        ++b;
    while (e > b && IsTrimmed(s[e - 1]))
        --e;
    return s.mid(b, e - b);
}

QString Fold(const QString& s)
{
    return s.toUpper();
}

int HexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

} // namespace

void TMemIniFile::SetText(const QString& text)
{
    TStringList lines;
    lines.SetText(text);
    SetStrings(lines);
}

void TMemIniFile::SetStrings(const TStrings& lines)
{
    FSections.clear();
    std::optional<QString> section; // folded name of the open section
    for (const QString& raw : lines.List()) {
        // A list item may itself hold line breaks.
        if (raw.contains(QLatin1Char('\r')) || raw.contains(QLatin1Char('\n'))) {
            TStringList split;
            split.SetText(raw);
            for (const QString& l : split.List())
                AddLine(l, section);
        } else {
            AddLine(raw, section);
        }
    }
}

void TMemIniFile::AddLine(const QString& raw, std::optional<QString>& section)
{
    const QString line = Trim(raw);
    if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
        return;
    if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']')) && line.size() >= 2) {
        section = Fold(Trim(line.mid(1, line.size() - 2)));
        FSections.insert(*section, {}); // a repeated section starts afresh
        return;
    }
    if (!section)
        return;
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return;
    FSections[*section].insert(Fold(Trim(line.left(eq))), Trim(line.mid(eq + 1)));
}

QString TMemIniFile::ReadString(const QString& section, const QString& ident, const QString& defaultValue) const
{
    const auto s = FSections.constFind(Fold(section));
    if (s == FSections.cend())
        return defaultValue;
    const auto k = s->constFind(Fold(ident));
    if (k == s->cend())
        return defaultValue;
    return *k;
}

int TMemIniFile::ReadInteger(const QString& section, const QString& ident, int defaultValue) const
{
    int v = 0;
    return StrToInt(ReadString(section, ident, QString()), v) ? v : defaultValue;
}

bool TMemIniFile::SectionExists(const QString& section) const
{
    return FSections.contains(Fold(section));
}

bool TMemIniFile::ValueExists(const QString& section, const QString& ident) const
{
    const auto s = FSections.constFind(Fold(section));
    return s != FSections.cend() && s->contains(Fold(ident));
}

bool TMemIniFile::StrToInt(const QString& s, int& value)
{
    qsizetype i = 0;
    if (s.startsWith(QLatin1Char('$')))
        i = 1;
    else if (s.size() > 2 && s[0] == QLatin1Char('0') && (s[1] == QLatin1Char('x') || s[1] == QLatin1Char('X')))
        i = 2;
    if (i > 0) {
        if (i == s.size())
            return false;
        quint64 v = 0;
        for (; i < s.size(); ++i) {
            const int d = HexDigit(s[i]);
            if (d < 0)
                return false;
            v = v * 16 + quint64(d);
            if (v > 0xFFFFFFFFull)
                return false;
        }
        value = int(quint32(v));
        return true;
    }
    qsizetype p = 0;
    bool negative = false;
    if (p < s.size() && (s[p] == QLatin1Char('+') || s[p] == QLatin1Char('-'))) {
        negative = s[p] == QLatin1Char('-');
        ++p;
    }
    if (p == s.size())
        return false;
    qint64 v = 0;
    for (; p < s.size(); ++p) {
        const char16_t u = s[p].unicode();
        if (u < '0' || u > '9')
            return false;
        v = v * 10 + (u - '0');
        if (v > qint64(1) << 31)
            return false;
    }
    if (negative)
        v = -v;
    if (v > std::numeric_limits<int>::max() || v < std::numeric_limits<int>::min())
        return false;
    value = int(v);
    return true;
}
