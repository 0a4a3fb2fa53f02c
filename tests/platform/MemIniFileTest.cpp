#include "platform/MemIniFile.h"

#include <gtest/gtest.h>

namespace {

const QString kMissing = QStringLiteral("<missing>");

struct ReadCase {
    const char* what;
    const char* text;
    const char* section;
    const char* key;
    const char* expected; // null: the default comes back
};

} // namespace

TEST(MemIniFileTest, ReadsByTheRules)
{
    const ReadCase cases[] = {
        {"plain", "[set]\nflag=zqad\n", "set", "flag", "zqad"},
        {"CR line ends", "[set]\rflag=zqad\rcount=2", "set", "count", "2"},
        {"CRLF line ends", "[set]\r\nflag=zqad\r\n", "set", "flag", "zqad"},
        {"blanks and tabs trimmed", "  [ set ]  \n\t flag  =  zqad \t\n", "set", "flag", "zqad"},
        {"control characters trimmed", "\x01[set]\x02\nflag=zqad\x7f", "set", "flag", "zqad"},
        {"value keeps inner blanks", "[s]\ntext= two  words \n", "s", "text", "two  words"},
        {"split at the first =", "[s]\nlink=a=b\n", "s", "link", "a=b"},
        {"comment line skipped", "[s]\n;k=1\n", "s", "k", nullptr},
        {"comment after blanks skipped", "[s]\n   ;k=1\n", "s", "k", nullptr},
        {"line without = defines nothing", "[s]\nk\n", "s", "k", nullptr},
        {"keys before the first section ignored", "k=1\n[s]\n", "s", "k", nullptr},
        {"bracket line needs both ends", "[s\nk=1\n", "s", "k", nullptr},
        {"last key wins", "[s]\nk=1\nk=2\n", "s", "k", "2"},
        {"repeated section replaces the earlier", "[s]\na=1\n[t]\n[s]\nb=2\n", "s", "a", nullptr},
        {"repeated section is read", "[s]\na=1\n[s]\nb=2\n", "s", "b", "2"},
        {"section case ignored", "[AD0]\nimage_url=x\n", "ad0", "image_url", "x"},
        {"key case ignored", "[ad0]\nIMAGE_URL=x\n", "Ad0", "Image_Url", "x"},
        {"full Unicode upper-casing", "[straße]\nk=1\n", "STRASSE", "K", "1"},
        {"empty value is not the default", "[s]\nk=\n", "s", "k", ""},
        {"empty value after blanks", "[s]\nk =   \n", "s", "k", ""},
        {"missing section", "[s]\nk=1\n", "t", "k", nullptr},
        {"empty section name", "[ ]\nk=1\n", "", "k", "1"},
        {"empty text", "", "s", "k", nullptr},
    };
    for (const ReadCase& c : cases) {
        const TMemIniFile ini(QString::fromUtf8(c.text));
        const QString got = ini.ReadString(QString::fromUtf8(c.section), QString::fromUtf8(c.key), kMissing);
        EXPECT_EQ(got, c.expected ? QString::fromUtf8(c.expected) : kMissing) << c.what;
    }
}

TEST(MemIniFileTest, ExistenceAndReloading)
{
    TMemIniFile ini(QStringLiteral("[set]\nflag=\n"));
    EXPECT_TRUE(ini.SectionExists(QStringLiteral("SET")));
    EXPECT_TRUE(ini.ValueExists(QStringLiteral("set"), QStringLiteral("FLAG")));
    EXPECT_FALSE(ini.ValueExists(QStringLiteral("set"), QStringLiteral("count")));

    TStringList lines;
    lines.Add(QStringLiteral("[other]"));
    lines.Add(QStringLiteral("k=v"));
    ini.SetStrings(lines); // replaces, does not merge
    EXPECT_FALSE(ini.SectionExists(QStringLiteral("set")));
    EXPECT_EQ(ini.ReadString(QStringLiteral("other"), QStringLiteral("k"), QString()), QStringLiteral("v"));
}

TEST(MemIniFileTest, ReadsIntegers)
{
    struct Case {
        const char* value;
        int expected; // -999: the default
    } cases[] = {
        {"2", 2}, {"+7", 7}, {"-1", -1}, {"007", 7}, {"0", 0},
        {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
        {"$2", 2}, {"$ff", 255}, {"0x2", 2}, {"0X1A", 26}, {"$FFFFFFFF", -1},
        {"two", -999}, {"", -999}, {"$", -999}, {"0x", -999}, {"0xZZ", -999},
        {"12abc", -999}, {"1 2", -999}, {"+", -999}, {"-$2", -999}, {"1.5", -999},
        {"2147483648", -999}, {"$100000000", -999}, {"\xef\xbc\x92", -999} /* fullwidth 2 */,
    };
    for (const Case& c : cases) {
        const TMemIniFile ini(QStringLiteral("[set]\ncount=") + QString::fromUtf8(c.value));
        EXPECT_EQ(ini.ReadInteger(QStringLiteral("set"), QStringLiteral("count"), -999), c.expected) << c.value;
    }
    const TMemIniFile ini(QStringLiteral("[set]\n"));
    EXPECT_EQ(ini.ReadInteger(QStringLiteral("set"), QStringLiteral("count"), 0), 0);
}
