#include "support/QelMD5.h"

#include "platform/CodePage.h"

#include <QCryptographicHash>
#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace {

QByteArray Reference(const QByteArray& data)
{
    return QCryptographicHash::hash(data, QCryptographicHash::Md5).toHex();
}

TEST(QelMD5, KnownDigests)
{
    struct {
        QByteArray Text;
        const char* Digest;
    } const cases[] = {
        // RFC 1321, appendix A.5
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
        // Padding boundaries: one block or two.
        {QByteArray(55, 'a'), "ef1772b6dff9a122358552954ad0df65"},
        {QByteArray(56, 'a'), "3b0c8ac703f828b04c6c197006d17218"},
        {QByteArray(63, 'a'), "b06521f39153d618550606be297466d5"},
        {QByteArray(64, 'a'), "014842d480b571495a4a0363793f7367"},
        {QByteArray(65, 'a'), "c743a45e0d2e6a95cb859adae0248435"},
        // The whole length counts, NUL included.
        {QByteArray("a\0b", 3), "70350f6027bce3713f6b76473084309b"},
    };
    TQelMD5 md5;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Text.size());
        EXPECT_EQ(md5.MD5(c.Text), QByteArray(c.Digest));
        EXPECT_EQ(md5.MD5(c.Text), QByteArray(c.Digest));   // every call starts afresh
    }
}

TEST(QelMD5, AgreesWithAnIndependentImplementation)
{
    std::mt19937 rng(20121);
    std::uniform_int_distribution<int> length(0, 300);
    std::uniform_int_distribution<int> byte(0, 255);
    TQelMD5 md5;
    for (int i = 0; i < 3000; ++i) {
        QByteArray data(length(rng), Qt::Uninitialized);
        for (char& b : data)
            b = static_cast<char>(byte(rng));
        ASSERT_EQ(md5.MD5(data), Reference(data)) << "input " << i << ", " << data.size() << " bytes";
    }
}

// The reference structure, fed in pieces that straddle block borders.
TEST(QelMD5, UpdatesInPiecesGiveTheSameDigest)
{
    QByteArray data(1000, Qt::Uninitialized);
    for (int i = 0; i < data.size(); ++i)
        data[i] = static_cast<char>(i * 7);
    const auto* bytes = reinterpret_cast<const unsigned char*>(data.constData());
    for (const std::uint32_t piece : {1u, 3u, 63u, 64u, 65u, 200u}) {
        SCOPED_TRACE(piece);
        TQelMD5 md5;
        md5.MD5Init();
        for (std::uint32_t at = 0; at < std::uint32_t(data.size()); at += piece)
            md5.MD5Update(bytes + at, std::min<std::uint32_t>(piece, std::uint32_t(data.size()) - at));
        md5.MD5Final();
        unsigned char digest[16];
        TQelMD5::Encode(digest, md5.State(), 16);
        EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(digest), 16).toHex(), Reference(data));
    }
}

TEST(QelMD5, GetMD5OfStrWritesDigitsAndNul)
{
    TQelMD5 md5;
    char out[40];
    std::memset(out, 'x', sizeof out);
    const auto* abc = reinterpret_cast<const unsigned char*>("abc");
    EXPECT_EQ(md5.GetMD5OfStr(abc, 3, out), out);
    EXPECT_STREQ(out, "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_EQ(out[33], 'x');
    EXPECT_STREQ(md5.GetMD5OfStr(abc, -5, out), "d41d8cd98f00b204e9800998ecf8427e");

    const char digits[] = "0123456789abcdef";
    for (unsigned char v = 0; v < 16; ++v)
        EXPECT_EQ(TQelMD5::GetChar(v), digits[v]);
}

TEST(QelMD5, TextIsHashedInTheAnsiCodePage)
{
    TQelMD5 md5;
    EXPECT_EQ(md5.MD5(QStringLiteral("中文")), QByteArray("a7bac2239fcdcb3a067903d8077c4a07"));   // UTF-8
    const QByteArray before = plat::SetAnsiCodeset("GBK");
    EXPECT_EQ(md5.MD5(QStringLiteral("中文")), QByteArray("bcce109775e8e1972e9f5fcda3e12895"));
    plat::SetAnsiCodeset(before);
}

} // namespace
