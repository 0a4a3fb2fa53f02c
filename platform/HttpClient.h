#pragma once

#include "platform/Exception.h"

#include <QByteArray>
#include <QString>
#include <atomic>

// A failed HTTP request: no connection, a time-out, a reply too large, a
// refused protocol or an error status (>= 400, then StatusCode() holds it).
class EHttpError : public Exception {
public:
    explicit EHttpError(QString message, int statusCode = 0)
        : Exception(std::move(message)), FStatusCode(statusCode) {}
    // The reply's status, 0 when no status was received.
    int StatusCode() const noexcept { return FStatusCode; }

private:
    int FStatusCode;
};

// Blocking HTTP GET over libcurl. Only http and https are spoken, also when
// following a redirect; TLS certificates are verified. One object serves one
// thread at a time and may be reused for any number of requests.
class THttpClient {
public:
    THttpClient();
    ~THttpClient();
    THttpClient(const THttpClient&) = delete;
    THttpClient& operator=(const THttpClient&) = delete;

    // The body as text, decoded by the charset the reply declares; without
    // one as UTF-8, or in the locale's codeset when the bytes are not valid
    // UTF-8. Raises EHttpError.
    QString Get(const QString& url);
    // The body as it came. Raises EHttpError.
    QByteArray GetBytes(const QString& url);

    // Milliseconds allowed to open the connection (default 5000).
    int ConnectTimeout() const { return FConnectTimeout; }
    void SetConnectTimeout(int ms) { FConnectTimeout = ms; }
    // Milliseconds allowed for the whole request (default 15000; 0: no limit).
    int Timeout() const { return FTimeout; }
    void SetTimeout(int ms) { FTimeout = ms; }
    // Redirects followed before giving up (default 5; 0: none followed).
    int MaxRedirects() const { return FMaxRedirects; }
    void SetMaxRedirects(int n) { FMaxRedirects = n; }
    // Largest body accepted, in bytes; a longer one fails the request
    // (default 16 MiB; 0: no limit).
    qint64 MaxSize() const { return FMaxSize; }
    void SetMaxSize(qint64 bytes) { FMaxSize = bytes; }
    // Default "Ralvinor/<version>".
    const QString& UserAgent() const { return FUserAgent; }
    void SetUserAgent(const QString& agent) { FUserAgent = agent; }
    // While `*flag` is true a running request stops with EHttpError. The flag
    // must outlive the client's requests; null (the default) means never.
    void SetAbortFlag(const std::atomic<bool>* flag) { FAbortFlag = flag; }

    // Status and Content-Type of the last reply (0 and empty before one).
    int ResponseCode() const { return FResponseCode; }
    const QByteArray& ContentType() const { return FContentType; }

    // The decoding rule of Get(): `contentType` is the reply's Content-Type.
    static QString DecodeText(const QByteArray& body, const QByteArray& contentType);

private:
    QByteArray Perform(const QString& url);

    void* FCurl = nullptr;
    int FConnectTimeout = 5000;
    int FTimeout = 15000;
    int FMaxRedirects = 5;
    qint64 FMaxSize = 16 * 1024 * 1024;
    QString FUserAgent;
    const std::atomic<bool>* FAbortFlag = nullptr;
    int FResponseCode = 0;
    QByteArray FContentType;
};
