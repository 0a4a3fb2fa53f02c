#include "platform/CodePage.h"

#include <gtest/gtest.h>

namespace {

struct TEncodeCase {
    const char16_t* Text;
    const char* Encoding;
    QByteArray Bytes;
};

class CodePageEncode : public ::testing::TestWithParam<TEncodeCase> {};

TEST_P(CodePageEncode, ToEncodingGivesTheBytes)
{
    const TEncodeCase& c = GetParam();
    const QByteArray bytes = plat::ToEncoding(QString::fromUtf16(c.Text), c.Encoding);
    EXPECT_FALSE(bytes.isNull());
    EXPECT_EQ(bytes.toHex(' '), c.Bytes.toHex(' '));
}

INSTANTIATE_TEST_SUITE_P(
    Table, CodePageEncode,
    ::testing::Values(TEncodeCase{u"中文", "GBK", QByteArray("\xD6\xD0\xCE\xC4")},
                      TEncodeCase{u"中文", "GB2312", QByteArray("\xD6\xD0\xCE\xC4")},
                      TEncodeCase{u"中文", "gbk", QByteArray("\xD6\xD0\xCE\xC4")},
                      TEncodeCase{u"中文", "UTF-8", QByteArray("\xE4\xB8\xAD\xE6\x96\x87")},
                      TEncodeCase{u"", "GBK", QByteArray("")},
                      // Unconvertible characters become "?", a surrogate pair as one.
                      TEncodeCase{u"a\u00E9\u20AC", "ISO-8859-1", QByteArray("a\xE9?")},
                      TEncodeCase{u"a\U0001F600b", "GBK", QByteArray("a?b")},
                      TEncodeCase{u"a\U0001F600b", "UTF-8", QByteArray("a\xF0\x9F\x98\x80" "b")},
                      // Lone surrogates are not text.
                      TEncodeCase{u"a\xD800" u"b", "UTF-8", QByteArray("a?b")},
                      TEncodeCase{u"a\xDC00", "UTF-8", QByteArray("a?")},
                      TEncodeCase{u"a\xD800", "UTF-8", QByteArray("a?")},
                      // A stateful encoding: the "?" must be written in ASCII
                      // mode and the text must end there too.
                      TEncodeCase{u"日\u20AC本", "ISO-2022-JP",
                                  QByteArray("\x1B$BF|\x1B(B?\x1B$BK\\\x1B(B")}));

struct TDecodeCase {
    QByteArray Bytes;
    const char* Encoding;
    const char16_t* Text;
};

class CodePageDecode : public ::testing::TestWithParam<TDecodeCase> {};

TEST_P(CodePageDecode, FromEncodingGivesTheText)
{
    const TDecodeCase& c = GetParam();
    const QString text = plat::FromEncoding(c.Bytes, c.Encoding);
    EXPECT_FALSE(text.isNull());
    EXPECT_EQ(text, QString::fromUtf16(c.Text));
}

INSTANTIATE_TEST_SUITE_P(Table, CodePageDecode,
                         ::testing::Values(TDecodeCase{QByteArray("\xD6\xD0\xCE\xC4"), "GB2312", u"中文"},
                                           TDecodeCase{QByteArray("\xE4\xB8\xAD"), "UTF-8", u"中"},
                                           TDecodeCase{QByteArray(""), "UTF-8", u""},
                                           // Invalid and truncated sequences.
                                           TDecodeCase{QByteArray("a\xFF" "b"), "UTF-8", u"a?b"},
                                           TDecodeCase{QByteArray("a\xE4\xB8"), "UTF-8", u"a??"},
                                           TDecodeCase{QByteArray("\xD6"), "GBK", u"?"},
                                           TDecodeCase{QByteArray("\x1B$BF|K\\\x1B(B!"), "ISO-2022-JP", u"日本!"}));

TEST(CodePage, UnknownEncodingNamesGiveNull)
{
    for (const char* name : {"NO-SUCH-ENCODING", ""}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(plat::IsKnownEncoding(name));
        EXPECT_TRUE(plat::ToEncoding(QStringLiteral("x"), name).isNull());
        EXPECT_TRUE(plat::FromEncoding("x", name).isNull());
    }
    EXPECT_TRUE(plat::IsKnownEncoding("GB2312"));
}

TEST(CodePage, PlainLocalesCountAsUtf8)
{
    struct {
        const char* Locale;
        const char* Codeset;
    } const cases[] = {
        {"C", "UTF-8"},
        {"POSIX", "UTF-8"},
        {"C.UTF-8", "UTF-8"},
        {"xx_NOWHERE.NOPE", "UTF-8"},   // not installed: C
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Locale);
        EXPECT_EQ(plat::LocaleCodeset(c.Locale), QByteArray(c.Codeset));
    }
}

TEST(CodePage, AnsiFollowsTheCodesetInUse)
{
    // The tests run under C.UTF-8.
    EXPECT_EQ(plat::AnsiCodeset(), QByteArray("UTF-8"));
    EXPECT_EQ(plat::ToAnsi(QStringLiteral("中")), QByteArray("\xE4\xB8\xAD"));

    const QByteArray before = plat::SetAnsiCodeset("GBK");
    EXPECT_EQ(plat::ToAnsi(QStringLiteral("中文")), QByteArray("\xD6\xD0\xCE\xC4"));
    EXPECT_EQ(plat::FromAnsi("\xD6\xD0\xCE\xC4"), QStringLiteral("中文"));
    EXPECT_EQ(plat::ToAnsi(QStringLiteral("\u00E9\U0001F600")), QByteArray("\xA8\xA6?"));
    plat::SetAnsiCodeset(before);

    EXPECT_EQ(plat::FromAnsi("\xE4\xB8\xAD"), QStringLiteral("中"));
}

} // namespace
