#include "support/QelText.h"

#include <QDate>

#include <cmath>
#include <cstdint>

namespace qel {

namespace {

char HexDigit(unsigned nibble)
{
    return static_cast<char>(nibble < 10 ? '0' + nibble : 'A' + (nibble - 10));
}

unsigned HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return static_cast<unsigned>(c - '0');
    if (c >= 'A' && c <= 'F')
        return static_cast<unsigned>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f')
        return static_cast<unsigned>(c - 'a' + 10);
    throw 0;
}

constexpr double kMSecsPerDay = 86400000.0;

} // namespace

QString CharToHex(char c)
{
    const auto b = static_cast<unsigned char>(c);
    const char digits[2] = {HexDigit(b >> 4), HexDigit(b & 0x0F)};
    return QString::fromLatin1(digits, 2);
}

char HexCharToChar(char hi, char lo)
{
    const unsigned h = HexValue(hi);
    const unsigned l = HexValue(lo);
    return static_cast<char>(h * 16 + l);
}

QByteArray StrToHex(const QByteArray& s, char sep)
{
    QByteArray out;
    out.reserve(s.size() * 3);
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (i > 0 && sep != '\0')
            out += sep;
        out += CharToHex(s[i]).toLatin1();
    }
    return out;
}

QString StrToHex(const QString& s, QChar sep)
{
    QString out;
    out.reserve(s.size() * 6);
    bool first = true;
    for (QChar c : s) {
        const char16_t unit = c.unicode();
        for (const char byte : {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)}) {
            if (!first && !sep.isNull())
                out += sep;
            out += CharToHex(byte);
            first = false;
        }
    }
    return out;
}

QByteArray UrlEncode(const QByteArray& s)
{
    if (s.isEmpty())
        return QByteArray();
    return '%' + StrToHex(s, '%');
}

QString Replace(const QString& s, const QString& find, const QString& rep)
{
    // Qt would put `rep` between every two characters for an empty pattern.
    if (find.isEmpty())
        return s;
    return QString(s).replace(find, rep, Qt::CaseSensitive);
}

QString AppendStr(const QString& s, const QString& wrap)
{
    return wrap + s + wrap;
}

int BitToInt(const QString& bits)
{
    std::uint32_t value = 0;
    for (QChar c : bits) {
        if (c == u'1')
            value = value * 2 + 1;
        else if (c == u'0')
            value = value * 2;
        else
            throw -1;
    }
    return static_cast<int>(value);
}

bool Is2N(int n)
{
    // Unsigned, so that the most negative int needs no overflowing n - 1.
    const auto u = static_cast<std::uint32_t>(n);
    return u != 0 && (u & (u - 1)) == 0;
}

int BoolToInt(bool b)
{
    return b ? 1 : 0;
}

bool CharToBool(char c)
{
    return c != '0';
}

char BoolToChar(bool b)
{
    return b ? '1' : '0';
}

void GetDelimiterText(TStrings* list, const QString& text)
{
    list->SetDelimiter(u';');
    list->SetDelimitedText(text);
}

QString SetDelimiterText(TStrings* list, QChar sep)
{
    return list->List().join(sep);
}

int MonthDays(TDateTime date)
{
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    // Rounded to the millisecond first, then the day taken toward zero: a
    // date before 1899-12-30 keeps its day in the integer part, its time as
    // the (positive) fraction.
    if (!std::isfinite(date) || std::fabs(date) > 1e9)
        return 0;
    const auto msecs = static_cast<std::int64_t>(std::nearbyint(date * kMSecsPerDay));
    const std::int64_t days = msecs / static_cast<std::int64_t>(kMSecsPerDay);
    const QDate d = QDate(1899, 12, 30).addDays(days);
    if (!d.isValid())
        return 0;
    const int month = d.month();
    if (month == 2 && QDate::isLeapYear(d.year()))
        return 29;
    return kDays[month - 1];
}

TDateTime PlusTime(TDateTime time, int hours, int minutes, int seconds)
{
    long double t = time;
    t += static_cast<long double>(hours) / 24.0L;
    t += static_cast<long double>(minutes) / 1440.0L;
    t += static_cast<long double>(seconds) / 86400.0L;
    return static_cast<TDateTime>(t);
}

} // namespace qel
