#include "support/QelText.h"

#include <QDate>
#include <QTime>
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <optional>

namespace {

// The int a converter threw, or nothing.
template <typename F>
std::optional<int> ThrownInt(F f)
{
    try {
        f();
    } catch (int e) {
        return e;
    }
    return std::nullopt;
}

qel::TDateTime DateTime(int y, int m, int d, QTime t = QTime(0, 0))
{
    return static_cast<double>(QDate(1899, 12, 30).daysTo(QDate(y, m, d))) + t.msecsSinceStartOfDay() / 86400000.0;
}

QStringList Items(const TStringList& list)
{
    return list.List();
}

TEST(QelText, CharToHex)
{
    struct {
        char C;
        const char* Hex;
    } const cases[] = {
        {'\0', "00"}, {static_cast<char>(255), "FF"}, {static_cast<char>(-1), "FF"},
        {'A', "41"},  {'\n', "0A"},                  {static_cast<char>(0xAB), "AB"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(qel::CharToHex(c.C), QLatin1String(c.Hex)) << int(c.C);
}

TEST(QelText, HexCharToChar)
{
    struct {
        char Hi, Lo;
        std::optional<unsigned char> Byte;   // nothing: throws the int 0
    } const cases[] = {
        {'4', '1', 0x41}, {'f', 'F', 0xFF}, {'0', '0', 0x00},        {'a', 'B', 0xAB},
        {'G', '0', {}},   {'0', 'g', {}},   {' ', '1', {}},          {'\0', '0', {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((std::string{c.Hi, ' ', c.Lo}));
        char got = 0;
        const std::optional<int> thrown = ThrownInt([&] { got = qel::HexCharToChar(c.Hi, c.Lo); });
        if (c.Byte) {
            EXPECT_EQ(thrown, std::nullopt);
            EXPECT_EQ(static_cast<unsigned char>(got), *c.Byte);
        } else {
            EXPECT_EQ(thrown, 0);
        }
    }
}

TEST(QelText, StrToHexOfBytes)
{
    struct {
        QByteArray S;
        char Sep;
        const char* Hex;
    } const cases[] = {
        {"AB", ' ', "41 42"},
        {"AB", '\0', "4142"},
        {"", ' ', ""},
        {"A", '-', "41"},
        {QByteArray("\xFF\0\x7F", 3), ':', "FF:00:7F"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(qel::StrToHex(c.S, c.Sep), QByteArray(c.Hex)) << c.Hex;
}

TEST(QelText, StrToHexOfWideStrings)
{
    struct {
        const char16_t* S;
        QChar Sep;
        const char* Hex;
    } const cases[] = {
        {u"A", u' ', "41 00"},
        {u"AB", QChar(), "41004200"},
        {u"中", QChar(), "2D4E"},   // U+4E2D, low byte first
        {u"", u' ', ""},
        {u"A", u'中', "41中00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(qel::StrToHex(QString::fromUtf16(c.S), c.Sep), QString::fromUtf8(c.Hex)) << c.Hex;
}

TEST(QelText, UrlEncode)
{
    struct {
        QByteArray S;
        const char* Encoded;
    } const cases[] = {
        {"a b", "%61%20%62"},
        {"", ""},
        {"Z", "%5A"},
        {"\xD6\xD0", "%D6%D0"},   // GBK bytes stay as they are
    };
    for (const auto& c : cases)
        EXPECT_EQ(qel::UrlEncode(c.S), QByteArray(c.Encoded)) << c.Encoded;
}

TEST(QelText, Replace)
{
    struct {
        const char16_t *S, *Find, *Rep, *Result;
    } const cases[] = {
        {u"aaa", u"aa", u"b", u"ba"},
        {u"abc", u"", u"x", u"abc"},
        {u"a.b.c", u".", u"..", u"a..b..c"},   // inserted text is not searched again
        {u"aaaa", u"aa", u"a", u"aa"},
        {u"Hello", u"l", u"L", u"HeLLo"},
        {u"abc", u"ABC", u"x", u"abc"},        // case matters
        {u"", u"a", u"b", u""},
        {u"文件名.txt", u"文件", u"", u"名.txt"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(qel::Replace(QString::fromUtf16(c.S), QString::fromUtf16(c.Find), QString::fromUtf16(c.Rep)),
                  QString::fromUtf16(c.Result))
            << QString::fromUtf16(c.S).toStdString();
    }
}

TEST(QelText, AppendStr)
{
    EXPECT_EQ(qel::AppendStr(QStringLiteral("v"), QStringLiteral("\"")), QStringLiteral("\"v\""));
    EXPECT_EQ(qel::AppendStr(QString(), QStringLiteral("'")), QStringLiteral("''"));
}

TEST(QelText, BitToInt)
{
    struct {
        const char* Bits;
        std::optional<int> Value;   // nothing: throws the int -1
    } const cases[] = {
        {"101", 5},
        {"", 0},
        {"0001", 1},
        {"10000000000000000000000000000000", INT_MIN},
        {"11111111111111111111111111111111", -1},
        {"100000000000000000000000000000101", 5},   // 33 digits wrap
        {"102", {}},
        {"1 0", {}},
        {"-1", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Bits);
        int got = 0;
        const std::optional<int> thrown = ThrownInt([&] { got = qel::BitToInt(QString::fromLatin1(c.Bits)); });
        if (c.Value) {
            EXPECT_EQ(thrown, std::nullopt);
            EXPECT_EQ(got, *c.Value);
        } else {
            EXPECT_EQ(thrown, -1);
        }
    }
}

TEST(QelText, Is2N)
{
    struct {
        int N;
        bool Power;
    } const cases[] = {
        {0, false}, {1, true},  {6, false}, {64, true}, {-2, false}, {INT_MIN, true}, {INT_MAX, false}, {1 << 30, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(qel::Is2N(c.N), c.Power) << c.N;
}

TEST(QelText, BooleanConversions)
{
    EXPECT_EQ(qel::BoolToInt(true), 1);
    EXPECT_EQ(qel::BoolToInt(false), 0);
    EXPECT_EQ(qel::BoolToChar(true), '1');
    EXPECT_EQ(qel::BoolToChar(false), '0');
    struct {
        char C;
        bool B;
    } const cases[] = {{'0', false}, {'1', true}, {'a', true}, {'\0', true}, {'F', true}};
    for (const auto& c : cases)
        EXPECT_EQ(qel::CharToBool(c.C), c.B) << int(c.C);
}

TEST(QelText, GetDelimiterTextParsesLikeTheList)
{
    struct {
        const char16_t* Text;
        QStringList Items;
    } const cases[] = {
        {u"a;b c;\"d;e\"", {"a", "b", "c", "d;e"}},
        {u"", {}},
        {u"a;", {"a", ""}},          // a ";" at the very end adds an empty item
        {u"a; ", {"a"}},
        {u";", {"", ""}},
        {u"a;;b", {"a", "", "b"}},
        {u"  a  ;  b  ", {"a", "b"}},
        {u"a\tb\nc", {"a", "b", "c"}},
        {u"a,b", {"a,b"}},           // the delimiter is ";" whatever it was
        {u"\"a b\";c", {"a b", "c"}},
        {u"\"x\"\"y\"", {"x\"y"}},
        {u"\"\"", {""}},
        {u"\"abc", {"abc"}},         // no closing quote: runs to the end
        {u"\"a\"b", {"a", "b"}},
        {u"中文;文件", {"中文", "文件"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.Text).toStdString());
        TStringList list;
        list.Add(QStringLiteral("old"));
        qel::GetDelimiterText(&list, QString::fromUtf16(c.Text));
        EXPECT_EQ(Items(list), c.Items);
        EXPECT_EQ(list.Delimiter(), QChar(u';'));
    }
}

TEST(QelText, SetDelimiterTextJoinsWithoutQuoting)
{
    struct {
        QStringList Items;
        QChar Sep;
        const char16_t* Text;
    } const cases[] = {
        {{"a", "b", "c"}, u';', u"a;b;c"},
        {{}, u';', u""},
        {{"a b", "c;d", ""}, u';', u"a b;c;d;"},
        {{"x"}, u',', u"x"},
    };
    for (const auto& c : cases) {
        TStringList list;
        list.List() = c.Items;
        EXPECT_EQ(qel::SetDelimiterText(&list, c.Sep), QString::fromUtf16(c.Text));
    }
}

// What the list writes as delimited text, its parser reads back.
TEST(QelText, DelimitedTextRoundTrips)
{
    const QStringList samples[] = {
        {"a", "b"},
        {"a b", "c;d", "e\"f", "", "g"},
        {""},
        {"\t", " x "},
    };
    for (const QStringList& items : samples) {
        TStringList list;
        list.SetDelimiter(u';');
        list.List() = items;
        const QString text = list.DelimitedText();
        TStringList back;
        qel::GetDelimiterText(&back, text);
        EXPECT_EQ(Items(back), items) << text.toStdString();
    }
    TStringList list;
    list.List() = QStringList{"a b", "c\"d", "e"};
    EXPECT_EQ(list.DelimitedText(), QStringLiteral("\"a b\",\"c\"\"d\",e"));
}

TEST(QelText, MonthDays)
{
    struct {
        qel::TDateTime Date;
        int Days;
    } const cases[] = {
        {DateTime(2012, 2, 15), 29},
        {DateTime(1900, 2, 10), 28},
        {DateTime(2000, 2, 1), 29},
        {DateTime(2013, 2, 28, QTime(23, 59, 59)), 28},
        {DateTime(2012, 4, 30), 30},
        {DateTime(2012, 12, 31), 31},
        {0.0, 31},                       // 1899-12-30
        {-1.5, 31},                      // 1899-12-29, 12:00
        {DateTime(1900, 2, 28) + 0.9999999999, 31},   // rounds to 1 March
        {std::numeric_limits<double>::quiet_NaN(), 0},
        {std::numeric_limits<double>::infinity(), 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(qel::MonthDays(c.Date), c.Days) << c.Date;
}

TEST(QelText, PlusTime)
{
    struct {
        qel::TDateTime Time;
        int Hours, Minutes, Seconds;
        qel::TDateTime Result;
    } const cases[] = {
        {0.0, 1, 30, 0, 0.0625},
        {0.0, 24, 0, 0, 1.0},
        {1.5, -12, 0, 0, 1.0},
        {0.0, 0, 0, -86400, -1.0},
        // One rounding at the end: summing in doubles gives 0.0007060185185185186.
        {0.0, 0, 1, 1, 61.0 / 86400.0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(qel::PlusTime(c.Time, c.Hours, c.Minutes, c.Seconds), c.Result)
            << c.Hours << ":" << c.Minutes << ":" << c.Seconds;
}

} // namespace
