#include "support/QelMD5.h"

#include "platform/CodePage.h"

#include <algorithm>
#include <climits>

namespace {

constexpr std::uint32_t S11 = 7, S12 = 12, S13 = 17, S14 = 22;
constexpr std::uint32_t S21 = 5, S22 = 9, S23 = 14, S24 = 20;
constexpr std::uint32_t S31 = 4, S32 = 11, S33 = 16, S34 = 23;
constexpr std::uint32_t S41 = 6, S42 = 10, S43 = 15, S44 = 21;

const unsigned char kPadding[64] = {0x80};

inline std::uint32_t F(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return (x & y) | (~x & z); }
inline std::uint32_t G(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return (x & z) | (y & ~z); }
inline std::uint32_t H(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return x ^ y ^ z; }
inline std::uint32_t I(std::uint32_t x, std::uint32_t y, std::uint32_t z) { return y ^ (x | ~z); }

inline std::uint32_t RotateLeft(std::uint32_t x, std::uint32_t n)
{
    n &= 31;
    return (x << n) | (x >> ((32 - n) & 31));
}

} // namespace

TQelMD5::TQelMD5(QObject* owner) : QObject(owner) {}

TQelMD5::~TQelMD5() = default;

QByteArray TQelMD5::MD5(QByteArray text)
{
    char out[100];
    return QByteArray(Compute(reinterpret_cast<const unsigned char*>(text.constData()), text.size(), out));
}

QByteArray TQelMD5::MD5(const QString& text)
{
    return MD5(plat::ToAnsi(text));
}

char* TQelMD5::GetMD5OfStr(const unsigned char* data, int length, char* out)
{
    return Compute(data, std::max(length, 0), out);
}

char* TQelMD5::Compute(const unsigned char* data, qsizetype length, char* out)
{
    MD5Init();
    // MD5Update takes 32-bit lengths; larger inputs go in pieces.
    while (length > 0) {
        const auto part = static_cast<std::uint32_t>(std::min<qsizetype>(length, INT_MAX));
        MD5Update(data, part);
        data += part;
        length -= part;
    }
    MD5Final();
    unsigned char digest[16];
    Encode(digest, FState, 16);
    for (int i = 0; i < 16; ++i) {
        out[2 * i] = GetChar(digest[i] >> 4);
        out[2 * i + 1] = GetChar(digest[i] & 0x0F);
    }
    out[32] = '\0';
    return out;
}

char TQelMD5::GetChar(unsigned char value)
{
    return static_cast<char>(value < 10 ? '0' + value : 'a' + (value - 10));
}

void TQelMD5::MD5Init()
{
    FCount[0] = FCount[1] = 0;
    FState[0] = 0x67452301;
    FState[1] = 0xefcdab89;
    FState[2] = 0x98badcfe;
    FState[3] = 0x10325476;
}

void TQelMD5::MD5Update(const unsigned char* input, std::uint32_t length)
{
    std::uint32_t index = (FCount[0] >> 3) & 0x3F;
    if ((FCount[0] += length << 3) < (length << 3))
        ++FCount[1];
    FCount[1] += length >> 29;
    const std::uint32_t partLen = 64 - index;
    std::uint32_t i = 0;
    if (length >= partLen) {
        MD5MemCpy(&FBuffer[index], input, partLen);
        MD5Transform(FBuffer);
        for (i = partLen; i + 63 < length; i += 64)
            MD5Transform(&input[i]);
        index = 0;
    }
    MD5MemCpy(&FBuffer[index], &input[i], length - i);
}

void TQelMD5::MD5Final()
{
    unsigned char bits[8];
    Encode(bits, FCount, 8);
    const std::uint32_t index = (FCount[0] >> 3) & 0x3F;
    const std::uint32_t padLen = index < 56 ? 56 - index : 120 - index;
    MD5Update(kPadding, padLen);
    MD5Update(bits, 8);
}

void TQelMD5::MD5Transform(const unsigned char block[64])
{
    std::uint32_t a = FState[0], b = FState[1], c = FState[2], d = FState[3];
    std::uint32_t x[16];
    Decode(x, block, 64);

    // Round 1
    a = FF(a, b, c, d, x[0], S11, 0xd76aa478);
    d = FF(d, a, b, c, x[1], S12, 0xe8c7b756);
    c = FF(c, d, a, b, x[2], S13, 0x242070db);
    b = FF(b, c, d, a, x[3], S14, 0xc1bdceee);
    a = FF(a, b, c, d, x[4], S11, 0xf57c0faf);
    d = FF(d, a, b, c, x[5], S12, 0x4787c62a);
    c = FF(c, d, a, b, x[6], S13, 0xa8304613);
    b = FF(b, c, d, a, x[7], S14, 0xfd469501);
    a = FF(a, b, c, d, x[8], S11, 0x698098d8);
    d = FF(d, a, b, c, x[9], S12, 0x8b44f7af);
    c = FF(c, d, a, b, x[10], S13, 0xffff5bb1);
    b = FF(b, c, d, a, x[11], S14, 0x895cd7be);
    a = FF(a, b, c, d, x[12], S11, 0x6b901122);
    d = FF(d, a, b, c, x[13], S12, 0xfd987193);
    c = FF(c, d, a, b, x[14], S13, 0xa679438e);
    b = FF(b, c, d, a, x[15], S14, 0x49b40821);

    // Round 2
    a = GG(a, b, c, d, x[1], S21, 0xf61e2562);
    d = GG(d, a, b, c, x[6], S22, 0xc040b340);
    c = GG(c, d, a, b, x[11], S23, 0x265e5a51);
    b = GG(b, c, d, a, x[0], S24, 0xe9b6c7aa);
    a = GG(a, b, c, d, x[5], S21, 0xd62f105d);
    d = GG(d, a, b, c, x[10], S22, 0x02441453);
    c = GG(c, d, a, b, x[15], S23, 0xd8a1e681);
    b = GG(b, c, d, a, x[4], S24, 0xe7d3fbc8);
    a = GG(a, b, c, d, x[9], S21, 0x21e1cde6);
    d = GG(d, a, b, c, x[14], S22, 0xc33707d6);
    c = GG(c, d, a, b, x[3], S23, 0xf4d50d87);
    b = GG(b, c, d, a, x[8], S24, 0x455a14ed);
    a = GG(a, b, c, d, x[13], S21, 0xa9e3e905);
    d = GG(d, a, b, c, x[2], S22, 0xfcefa3f8);
    c = GG(c, d, a, b, x[7], S23, 0x676f02d9);
    b = GG(b, c, d, a, x[12], S24, 0x8d2a4c8a);

    // Round 3
    a = HH(a, b, c, d, x[5], S31, 0xfffa3942);
    d = HH(d, a, b, c, x[8], S32, 0x8771f681);
    c = HH(c, d, a, b, x[11], S33, 0x6d9d6122);
    b = HH(b, c, d, a, x[14], S34, 0xfde5380c);
    a = HH(a, b, c, d, x[1], S31, 0xa4beea44);
    d = HH(d, a, b, c, x[4], S32, 0x4bdecfa9);
    c = HH(c, d, a, b, x[7], S33, 0xf6bb4b60);
    b = HH(b, c, d, a, x[10], S34, 0xbebfbc70);
    a = HH(a, b, c, d, x[13], S31, 0x289b7ec6);
    d = HH(d, a, b, c, x[0], S32, 0xeaa127fa);
    c = HH(c, d, a, b, x[3], S33, 0xd4ef3085);
    b = HH(b, c, d, a, x[6], S34, 0x04881d05);
    a = HH(a, b, c, d, x[9], S31, 0xd9d4d039);
    d = HH(d, a, b, c, x[12], S32, 0xe6db99e5);
    c = HH(c, d, a, b, x[15], S33, 0x1fa27cf8);
    b = HH(b, c, d, a, x[2], S34, 0xc4ac5665);

    // Round 4
    a = II(a, b, c, d, x[0], S41, 0xf4292244);
    d = II(d, a, b, c, x[7], S42, 0x432aff97);
    c = II(c, d, a, b, x[14], S43, 0xab9423a7);
    b = II(b, c, d, a, x[5], S44, 0xfc93a039);
    a = II(a, b, c, d, x[12], S41, 0x655b59c3);
    d = II(d, a, b, c, x[3], S42, 0x8f0ccc92);
    c = II(c, d, a, b, x[10], S43, 0xffeff47d);
    b = II(b, c, d, a, x[1], S44, 0x85845dd1);
    a = II(a, b, c, d, x[8], S41, 0x6fa87e4f);
    d = II(d, a, b, c, x[15], S42, 0xfe2ce6e0);
    c = II(c, d, a, b, x[6], S43, 0xa3014314);
    b = II(b, c, d, a, x[13], S44, 0x4e0811a1);
    a = II(a, b, c, d, x[4], S41, 0xf7537e82);
    d = II(d, a, b, c, x[11], S42, 0xbd3af235);
    c = II(c, d, a, b, x[2], S43, 0x2ad7d2bb);
    b = II(b, c, d, a, x[9], S44, 0xeb86d391);

    FState[0] += a;
    FState[1] += b;
    FState[2] += c;
    FState[3] += d;

    // The message words may hold secrets; do not leave them on the stack.
    MD5MemSet(reinterpret_cast<unsigned char*>(x), 0, sizeof x);
}

void TQelMD5::Encode(unsigned char* out, const std::uint32_t* in, std::uint32_t length)
{
    for (std::uint32_t i = 0, j = 0; j < length; ++i, j += 4) {
        out[j] = static_cast<unsigned char>(in[i] & 0xff);
        out[j + 1] = static_cast<unsigned char>((in[i] >> 8) & 0xff);
        out[j + 2] = static_cast<unsigned char>((in[i] >> 16) & 0xff);
        out[j + 3] = static_cast<unsigned char>((in[i] >> 24) & 0xff);
    }
}

void TQelMD5::Decode(std::uint32_t* out, const unsigned char* in, std::uint32_t length)
{
    for (std::uint32_t i = 0, j = 0; j < length; ++i, j += 4)
        out[i] = std::uint32_t(in[j]) | (std::uint32_t(in[j + 1]) << 8) | (std::uint32_t(in[j + 2]) << 16)
                 | (std::uint32_t(in[j + 3]) << 24);
}

void TQelMD5::MD5MemSet(unsigned char* dest, unsigned char value, std::uint32_t length)
{
    for (std::uint32_t i = 0; i < length; ++i)
        dest[i] = value;
}

void TQelMD5::MD5MemCpy(unsigned char* dest, const unsigned char* source, std::uint32_t length)
{
    for (std::uint32_t i = 0; i < length; ++i)
        dest[i] = source[i];
}

std::uint32_t TQelMD5::FF(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d, std::uint32_t x,
                          std::uint32_t s, std::uint32_t ac)
{
    return RotateLeft(a + F(b, c, d) + x + ac, s) + b;
}

std::uint32_t TQelMD5::GG(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d, std::uint32_t x,
                          std::uint32_t s, std::uint32_t ac)
{
    return RotateLeft(a + G(b, c, d) + x + ac, s) + b;
}

std::uint32_t TQelMD5::HH(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d, std::uint32_t x,
                          std::uint32_t s, std::uint32_t ac)
{
    return RotateLeft(a + H(b, c, d) + x + ac, s) + b;
}

std::uint32_t TQelMD5::II(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d, std::uint32_t x,
                          std::uint32_t s, std::uint32_t ac)
{
    return RotateLeft(a + I(b, c, d) + x + ac, s) + b;
}
