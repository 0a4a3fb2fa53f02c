#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <functional>
#include <memory>

namespace testutil {

struct THttpReply {
    int Status = 200;
    QByteArray Body;
    QByteArray ContentType = "text/plain";
    QList<QPair<QByteArray, QByteArray>> Headers; // extra headers, e.g. Location
    bool Chunked = false; // send without Content-Length
};

// A 200 reply carrying `body` as `type`.
inline THttpReply TextReply(const QByteArray& body, const QByteArray& type = "text/plain")
{
    THttpReply r;
    r.Body = body;
    r.ContentType = type;
    return r;
}

struct THttpRequest {
    QByteArray Target;    // as sent, query included
    QByteArray Path;      // the target without its query
    QByteArray UserAgent;
};

// An HTTP server on 127.0.0.1 with an ephemeral port, for the lifetime of the
// object. Requests for paths it does not know are answered with 404.
class TLoopbackServer {
public:
    TLoopbackServer();
    ~TLoopbackServer();
    TLoopbackServer(const TLoopbackServer&) = delete;
    TLoopbackServer& operator=(const TLoopbackServer&) = delete;

    int Port() const;
    // "http://127.0.0.1:<port>" followed by `path`.
    QString Url(const QString& path = QStringLiteral("/")) const;

    // Answers every request for `path` (without query) with `reply`.
    void Reply(const QByteArray& path, const THttpReply& reply);
    // Answers with what `handler` returns; it runs on a server thread.
    void Handle(const QByteArray& path, std::function<THttpReply(const THttpRequest&)> handler);

    // Requests received so far, oldest first.
    QList<THttpRequest> Requests() const;
    int Count(const QByteArray& path) const;

private:
    struct TImpl;
    std::unique_ptr<TImpl> FImpl;
};

// A loopback port that nothing listens on (bound, then released).
int ClosedLoopbackPort();
// "http://127.0.0.1:<such a port>" followed by `path`.
QString ClosedLoopbackUrl(const QString& path = QStringLiteral("/"));

} // namespace testutil
