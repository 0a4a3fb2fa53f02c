#include "common/LoopbackServer.h"

#include <httplib.h>

#include <QMap>
#include <arpa/inet.h>
#include <mutex>
#include <netinet/in.h>
#include <stdexcept>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace testutil {

struct TLoopbackServer::TImpl {
    httplib::Server Server;
    std::thread Thread;
    int Port = 0;
    mutable std::mutex Lock;
    QMap<QByteArray, std::function<THttpReply(const THttpRequest&)>> Handlers;
    QList<THttpRequest> Log;
};

TLoopbackServer::TLoopbackServer() : FImpl(std::make_unique<TImpl>())
{
    TImpl* d = FImpl.get();
    d->Server.set_pre_routing_handler([d](const httplib::Request& req, httplib::Response& res) {
        THttpRequest r;
        r.Target = QByteArray::fromStdString(req.target);
        r.Path = QByteArray::fromStdString(req.path);
        r.UserAgent = QByteArray::fromStdString(req.get_header_value("User-Agent"));
        std::function<THttpReply(const THttpRequest&)> handler;
        {
            std::lock_guard<std::mutex> g(d->Lock);
            d->Log.append(r);
            handler = d->Handlers.value(r.Path);
        }
        THttpReply reply;
        if (handler)
            reply = handler(r);
        else
            reply.Status = 404;
        res.status = reply.Status;
        for (const auto& h : reply.Headers)
            res.set_header(h.first.toStdString(), h.second.toStdString());
        if (reply.Chunked) {
            auto body = std::make_shared<std::string>(reply.Body.toStdString());
            res.set_chunked_content_provider(reply.ContentType.toStdString(),
                                             [body](size_t offset, httplib::DataSink& sink) {
                                                 const size_t n = std::min<size_t>(64 * 1024, body->size() - offset);
                                                 if (n > 0)
                                                     sink.write(body->data() + offset, n);
                                                 if (offset + n >= body->size())
                                                     sink.done();
                                                 return true;
                                             });
        } else {
            res.set_content(reply.Body.toStdString(), reply.ContentType.toStdString());
        }
        return httplib::Server::HandlerResponse::Handled;
    });
    d->Port = d->Server.bind_to_any_port("127.0.0.1");
    if (d->Port <= 0)
        throw std::runtime_error("loopback server: cannot bind");
    d->Thread = std::thread([d] { d->Server.listen_after_bind(); });
    // stop() before the loop runs would be lost and leave join() waiting.
    while (!d->Server.is_running())
        std::this_thread::yield();
}

TLoopbackServer::~TLoopbackServer()
{
    FImpl->Server.stop();
    FImpl->Thread.join();
}

int TLoopbackServer::Port() const
{
    return FImpl->Port;
}

QString TLoopbackServer::Url(const QString& path) const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(FImpl->Port) + path;
}

void TLoopbackServer::Reply(const QByteArray& path, const THttpReply& reply)
{
    Handle(path, [reply](const THttpRequest&) { return reply; });
}

void TLoopbackServer::Handle(const QByteArray& path, std::function<THttpReply(const THttpRequest&)> handler)
{
    std::lock_guard<std::mutex> g(FImpl->Lock);
    FImpl->Handlers.insert(path, std::move(handler));
}

QList<THttpRequest> TLoopbackServer::Requests() const
{
    std::lock_guard<std::mutex> g(FImpl->Lock);
    return FImpl->Log;
}

int TLoopbackServer::Count(const QByteArray& path) const
{
    std::lock_guard<std::mutex> g(FImpl->Lock);
    int n = 0;
    for (const THttpRequest& r : FImpl->Log)
        n += r.Path == path;
    return n;
}

int ClosedLoopbackPort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return 1;
    sockaddr_in a {};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = 0;
    socklen_t len = sizeof a;
    int port = 1;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0
        && ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len) == 0)
        port = ntohs(a.sin_port);
    ::close(fd);
    return port;
}

QString ClosedLoopbackUrl(const QString& path)
{
    return QStringLiteral("http://127.0.0.1:%1").arg(ClosedLoopbackPort()) + path;
}

} // namespace testutil
