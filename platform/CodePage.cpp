#include "platform/CodePage.h"

#include "platform/TestSeam.h"

#include <QSysInfo>

#include <cerrno>
#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

namespace plat {

namespace {

// QString's storage order, as iconv names it.
constexpr const char* kUtf16Native =
    QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "UTF-16LE" : "UTF-16BE";

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

// Owns one iconv descriptor.
class TConverter {
public:
    TConverter(const QByteArray& to, const QByteArray& from)
    {
        // iconv reads an empty name as "the locale's codeset": not what a
        // caller naming an encoding means.
        if (!to.isEmpty() && !from.isEmpty())
            FCd = ::iconv_open(to.constData(), from.constData());
    }
    ~TConverter()
    {
        if (FCd != kNoConverter)
            ::iconv_close(FCd);
    }
    TConverter(const TConverter&) = delete;
    TConverter& operator=(const TConverter&) = delete;

    bool IsOpen() const { return FCd != kNoConverter; }
    iconv_t Handle() const { return FCd; }

private:
    iconv_t FCd = kNoConverter;
};

// Runs iconv over `in` into `out` (appending). Returns false on an input
// error and leaves `*inPtr`/`*inLeft` at the offending bytes and `errno` set.
bool Pump(iconv_t cd, char** inPtr, size_t* inLeft, QByteArray& out)
{
    for (;;) {
        const qsizetype used = out.size();
        const size_t room = *inLeft * 4 + 16;
        out.resize(used + static_cast<qsizetype>(room));
        char* outPtr = out.data() + used;
        size_t outLeft = room;
        const size_t rc = ::iconv(cd, inPtr, inLeft, &outPtr, &outLeft);
        const int err = errno;
        out.resize(used + static_cast<qsizetype>(room - outLeft));
        if (rc != static_cast<size_t>(-1))
            return true;
        if (err != E2BIG) {
            errno = err;
            return false;
        }
    }
}

// Emits the shift-back sequence a stateful encoding may need at the end.
void Flush(iconv_t cd, QByteArray& out)
{
    char buf[64];
    char* outPtr = buf;
    size_t outLeft = sizeof buf;
    ::iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
    out.append(buf, static_cast<qsizetype>(sizeof buf - outLeft));
}

QByteArray Encode(const QString& text, const QByteArray& encoding, const TSubstitute& substitute)
{
    TConverter conv(encoding, kUtf16Native);
    if (!conv.IsOpen())
        return QByteArray();
    QByteArray out("");
    out.reserve(text.size() * 2);
    const char* begin = reinterpret_cast<const char*>(text.utf16());
    char* inPtr = const_cast<char*>(begin);
    size_t inLeft = static_cast<size_t>(text.size()) * sizeof(char16_t);
    const QString question(QLatin1Char('?'));
    while (inLeft > 0) {
        if (Pump(conv.Handle(), &inPtr, &inLeft, out))
            break;
        // A character the target cannot hold, or a lone surrogate. The
        // stand-in goes through the same descriptor so that a stateful target
        // is switched back to the right mode first.
        const qsizetype pos = (inPtr - begin) / qsizetype(sizeof(char16_t));
        char32_t codePoint = text.at(pos).unicode();
        size_t skip = sizeof(char16_t);
        if (text.at(pos).isHighSurrogate() && pos + 1 < text.size() && text.at(pos + 1).isLowSurrogate()) {
            codePoint = QChar::surrogateToUcs4(text.at(pos), text.at(pos + 1));
            skip = 2 * sizeof(char16_t);
        }
        if (skip > inLeft)
            skip = inLeft;
        const QString standIn = substitute ? substitute(codePoint) : question;
        char* sPtr = const_cast<char*>(reinterpret_cast<const char*>(standIn.utf16()));
        size_t sLeft = static_cast<size_t>(standIn.size()) * sizeof(char16_t);
        if (!Pump(conv.Handle(), &sPtr, &sLeft, out) && standIn != question) {
            char* qPtr = const_cast<char*>(reinterpret_cast<const char*>(question.utf16()));
            size_t qLeft = sizeof(char16_t);
            Pump(conv.Handle(), &qPtr, &qLeft, out);
        }
        inPtr += skip;
        inLeft -= skip;
    }
    Flush(conv.Handle(), out);
    return out;
}

QString Decode(const QByteArray& bytes, const QByteArray& encoding)
{
    TConverter conv(kUtf16Native, encoding);
    if (!conv.IsOpen())
        return QString();
    QByteArray out;
    out.reserve(bytes.size() * 2);
    char* inPtr = const_cast<char*>(bytes.constData());
    size_t inLeft = static_cast<size_t>(bytes.size());
    while (inLeft > 0) {
        if (Pump(conv.Handle(), &inPtr, &inLeft, out))
            break;
        // An invalid or truncated sequence: one "?" per offending byte.
        const char16_t question = u'?';
        out.append(reinterpret_cast<const char*>(&question), sizeof question);
        ++inPtr;
        --inLeft;
    }
    Flush(conv.Handle(), out);
    QString text(QLatin1String(""));
    text.append(reinterpret_cast<const QChar*>(out.constData()), out.size() / qsizetype(sizeof(char16_t)));
    return text;
}

plat::TTestSeam<QByteArray>& CodesetOverride()
{
    static plat::TTestSeam<QByteArray> seam;
    return seam;
}

QByteArray CurrentCodeset()
{
    const QByteArray codeset = CodesetOverride().Get();
    return codeset.isEmpty() ? AnsiCodeset() : codeset;
}

} // namespace

QByteArray AnsiCodeset()
{
    static const QByteArray codeset = LocaleCodeset(QByteArray(""));
    return codeset;
}

QByteArray LocaleCodeset(const QByteArray& localeName)
{
    QByteArray codeset;
    // A private locale object reads the user's settings exactly as
    // setlocale(LC_ALL, "") would, without touching the process's locale.
    const locale_t loc = ::newlocale(LC_CTYPE_MASK, localeName.constData(), static_cast<locale_t>(nullptr));
    if (loc != static_cast<locale_t>(nullptr)) {
        codeset = ::nl_langinfo_l(CODESET, loc);
        ::freelocale(loc);
    }
    // C and POSIX only promise ASCII; UTF-8 is the superset that loses nothing.
    if (codeset.isEmpty() || codeset == "ANSI_X3.4-1968" || codeset == "ASCII" || codeset == "US-ASCII"
        || !IsKnownEncoding(codeset))
        codeset = "UTF-8";
    return codeset;
}

QByteArray SetAnsiCodeset(const QByteArray& codeset)
{
    return CodesetOverride().Swap(codeset);
}

QByteArray ToAnsi(const QString& text)
{
    return Encode(text, CurrentCodeset(), nullptr);
}

QString FromAnsi(const QByteArray& bytes)
{
    return Decode(bytes, CurrentCodeset());
}

bool IsKnownEncoding(const QByteArray& name)
{
    return TConverter(name, kUtf16Native).IsOpen() && TConverter(kUtf16Native, name).IsOpen();
}

QByteArray ToEncoding(const QString& text, const QByteArray& encoding)
{
    return Encode(text, encoding, nullptr);
}

QByteArray ToEncoding(const QString& text, const QByteArray& encoding, const TSubstitute& substitute)
{
    return Encode(text, encoding, substitute);
}

QString FromEncoding(const QByteArray& bytes, const QByteArray& encoding)
{
    return Decode(bytes, encoding);
}

} // namespace plat
