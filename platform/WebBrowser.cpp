#include "platform/WebBrowser.h"

#include "platform/HttpClient.h"

#include <QTimer>
#include <QUrl>

#include <atomic>
#include <thread>

// What a fetch shares with its worker thread. The worker writes Html and Ok,
// then sets Done (release); the view reads Done (acquire), then the rest.
// Abort tells the worker the view no longer waits.
struct TWebBrowser::TFetch {
    QString Url;
    QString Html;
    bool Ok = false;
    std::atomic<bool> Done {false};
    std::atomic<bool> Abort {false};
};

namespace {

constexpr int PollInterval = 50;

bool IsWebAddress(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
           && !url.host().isEmpty();
}

} // namespace

TWebBrowser::TWebBrowser(QWidget* parent) : QTextBrowser(parent), FPoll(new QTimer(this))
{
    setOpenLinks(false);
    setOpenExternalLinks(false);
    FPoll->setInterval(PollInterval);
    connect(FPoll, &QTimer::timeout, this, &TWebBrowser::PollFetch);
    connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl& link) {
        const QUrl target = QUrl(FLocation).resolved(link);
        if (IsWebAddress(target))
            Navigate(target.toString());
    });
}

TWebBrowser::~TWebBrowser()
{
    // The worker ends on its own; it only touches the shared fetch record.
    if (FFetch)
        FFetch->Abort.store(true, std::memory_order_release);
}

bool TWebBrowser::Busy() const
{
    return FFetch != nullptr;
}

void TWebBrowser::ShowAddress(const QString& url)
{
    setPlainText(url);
}

void TWebBrowser::Navigate(const QString& url)
{
    if (FFetch) {
        FFetch->Abort.store(true, std::memory_order_release);
        FFetch.reset();
        FPoll->stop();
    }
    FLocation = url;
    ShowAddress(url);
    if (url.isEmpty() || !IsWebAddress(QUrl(url))) {
        emit DocumentComplete(url, url.isEmpty());
        return;
    }

    auto fetch = std::make_shared<TFetch>();
    fetch->Url = url;
    std::thread([fetch] {
        try {
            THttpClient client;
            client.SetAbortFlag(&fetch->Abort);
            fetch->Html = client.Get(fetch->Url);
            fetch->Ok = true;
        } catch (...) {
            // The address stays shown.
        }
        fetch->Done.store(true, std::memory_order_release);
    }).detach();
    FFetch = std::move(fetch);
    FPoll->start();
}

void TWebBrowser::PollFetch()
{
    if (!FFetch || !FFetch->Done.load(std::memory_order_acquire))
        return;
    FPoll->stop();
    const std::shared_ptr<TFetch> fetch = std::move(FFetch);
    if (fetch->Ok)
        setHtml(fetch->Html);
    emit DocumentComplete(fetch->Url, fetch->Ok);
}

QVariant TWebBrowser::loadResource(int, const QUrl&)
{
    // A fetched page must not pull files from this machine into view.
    return QVariant();
}
