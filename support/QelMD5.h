#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <cstdint>

// MD5 message digests (RFC 1321) as 32 lower-case hex digits, built like the
// RFC's reference code. One instance holds one context: concurrent calls on
// the same instance interfere, separate instances are independent.
class TQelMD5 : public QObject {
    Q_OBJECT
public:
    explicit TQelMD5(QObject* owner = nullptr);
    ~TQelMD5() override;

    // Digest of every byte of `text`, NULs included.
    QByteArray MD5(QByteArray text);
    QByteArray MD5(const char* text) { return MD5(QByteArray(text)); }
    // Digest of the text's bytes in the ANSI code page.
    QByteArray MD5(const QString& text);

    // Writes the 32 digits of the digest of `length` bytes and a NUL to
    // `out` (at least 33 bytes) and returns `out`. A negative length counts
    // as 0.
    char* GetMD5OfStr(const unsigned char* data, int length, char* out);
    // "0".."9" for 0..9, "a".."f" for 10..15.
    static char GetChar(unsigned char value);

    void MD5Init();
    void MD5Update(const unsigned char* input, std::uint32_t length);
    // Pads and appends the bit count; the digest is then in the state words.
    void MD5Final();
    void MD5Transform(const unsigned char block[64]);
    // The chaining words A, B, C, D: the digest once MD5Final has run.
    const std::uint32_t* State() const { return FState; }

    static void Encode(unsigned char* out, const std::uint32_t* in, std::uint32_t length);
    static void Decode(std::uint32_t* out, const unsigned char* in, std::uint32_t length);
    static void MD5MemSet(unsigned char* dest, unsigned char value, std::uint32_t length);
    static void MD5MemCpy(unsigned char* dest, const unsigned char* source, std::uint32_t length);

    static std::uint32_t FF(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d, std::uint32_t x,
                            std::uint32_t s, std::uint32_t ac);
    static std::uint32_t GG(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d, std::uint32_t x,
                            std::uint32_t s, std::uint32_t ac);
    static std::uint32_t HH(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d, std::uint32_t x,
                            std::uint32_t s, std::uint32_t ac);
    static std::uint32_t II(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d, std::uint32_t x,
                            std::uint32_t s, std::uint32_t ac);

private:
    // Init, update over any length, final, hex into `out`.
    char* Compute(const unsigned char* data, qsizetype length, char* out);

    std::uint32_t FState[4] = {};
    std::uint32_t FCount[2] = {};   // bits hashed, low word first
    unsigned char FBuffer[64] = {};
};
