#include "platform/HttpClient.h"

#include "platform/CodePage.h"

#include <QList>
#include <QStringDecoder>
#include <curl/curl.h>

#include <mutex>

#ifndef RALVINOR_VERSION
#define RALVINOR_VERSION "0"
#endif

namespace {

struct TTransfer {
    QByteArray Body;
    qint64 MaxSize = 0;
    bool TooLarge = false;
    const std::atomic<bool>* Abort = nullptr;
};

size_t WriteBody(char* data, size_t size, size_t count, void* user)
{
    auto* t = static_cast<TTransfer*>(user);
    const size_t n = size * count;
    if (t->MaxSize > 0 && t->Body.size() + qint64(n) > t->MaxSize) {
        t->TooLarge = true;
        return CURL_WRITEFUNC_ERROR;
    }
    t->Body.append(data, qsizetype(n));
    return n;
}

int Progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    const auto* t = static_cast<TTransfer*>(user);
    return t->Abort && t->Abort->load(std::memory_order_acquire) ? 1 : 0;
}

void GlobalInit()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// The charset parameter of a Content-Type value, lower-cased; empty if none.
QByteArray CharsetOf(const QByteArray& contentType)
{
    const QList<QByteArray> parts = contentType.split(';');
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QByteArray p = parts[i].trimmed();
        const qsizetype eq = p.indexOf('=');
        if (eq < 0 || p.left(eq).trimmed().toLower() != "charset")
            continue;
        QByteArray v = p.mid(eq + 1).trimmed();
        if (v.size() >= 2 && v.front() == '"' && v.back() == '"')
            v = v.mid(1, v.size() - 2);
        return v.trimmed().toLower();
    }
    return QByteArray();
}

bool IsUtf8Name(const QByteArray& name)
{
    return name == "utf-8" || name == "utf8";
}

QString DecodeUtf8(const QByteArray& bytes, bool* valid)
{
    QStringDecoder dec(QStringDecoder::Utf8);
    QString s = dec.decode(bytes);
    if (valid)
        *valid = !dec.hasError();
    return s;
}

} // namespace

THttpClient::THttpClient() : FUserAgent(QStringLiteral("Ralvinor/" RALVINOR_VERSION))
{
    GlobalInit();
    FCurl = curl_easy_init();
}

THttpClient::~THttpClient()
{
    if (FCurl)
        curl_easy_cleanup(static_cast<CURL*>(FCurl));
}

QByteArray THttpClient::Perform(const QString& url)
{
    FResponseCode = 0;
    FContentType.clear();
    CURL* c = static_cast<CURL*>(FCurl);
    if (!c)
        throw EHttpError(QStringLiteral("HTTP client could not be created"));

    curl_easy_reset(c);
    TTransfer t;
    t.MaxSize = FMaxSize;
    t.Abort = FAbortFlag;
    char errbuf[CURL_ERROR_SIZE] = {};
    const QByteArray u = url.toUtf8();
    const QByteArray agent = FUserAgent.toUtf8();

    curl_easy_setopt(c, CURLOPT_URL, u.constData());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, FMaxRedirects > 0 ? 1L : 0L);
    curl_easy_setopt(c, CURLOPT_MAXREDIRS, long(FMaxRedirects));
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, long(FConnectTimeout));
    curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, long(FTimeout));
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(c, CURLOPT_USERAGENT, agent.constData());
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errbuf);
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, &WriteBody);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &t);
    if (FMaxSize > 0)
        curl_easy_setopt(c, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(FMaxSize));
    if (FAbortFlag) {
        curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, &Progress);
        curl_easy_setopt(c, CURLOPT_XFERINFODATA, &t);
        curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    }

    const CURLcode rc = curl_easy_perform(c);

    long status = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    FResponseCode = int(status);
    char* type = nullptr;
    if (curl_easy_getinfo(c, CURLINFO_CONTENT_TYPE, &type) == CURLE_OK && type)
        FContentType = QByteArray(type);
    // The error buffer lives on this stack frame only.
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, nullptr);

    if (t.TooLarge || rc == CURLE_FILESIZE_EXCEEDED)
        throw EHttpError(QStringLiteral("HTTP reply larger than %1 bytes: %2").arg(FMaxSize).arg(url));
    if (rc != CURLE_OK) {
        const QString why = errbuf[0] ? QString::fromUtf8(errbuf) : QString::fromUtf8(curl_easy_strerror(rc));
        throw EHttpError(QStringLiteral("HTTP request failed: %1: %2").arg(why, url), FResponseCode);
    }
    if (status >= 400)
        throw EHttpError(QStringLiteral("HTTP error %1: %2").arg(status).arg(url), FResponseCode);
    return std::move(t.Body);
}

QByteArray THttpClient::GetBytes(const QString& url)
{
    return Perform(url);
}

QString THttpClient::Get(const QString& url)
{
    const QByteArray body = Perform(url);
    return DecodeText(body, FContentType);
}

QString THttpClient::DecodeText(const QByteArray& body, const QByteArray& contentType)
{
    const QByteArray charset = CharsetOf(contentType);
    if (IsUtf8Name(charset))
        return DecodeUtf8(body, nullptr);
    if (!charset.isEmpty()) {
        const QString text = plat::FromEncoding(body, charset);
        if (!text.isNull())
            return text;
        // An unknown charset name: decode as if none were declared.
    }
    bool valid = false;
    const QString text = DecodeUtf8(body, &valid);
    return valid ? text : plat::FromAnsi(body);
}
