#pragma once

#include <QString>
#include <QTextBrowser>
#include <memory>

class QTimer;

// The embedded web view: shows a page fetched with THttpClient on a worker
// thread, rendered as rich text (no scripts, no plug-ins, nothing loaded
// from the local disk). While the page loads, or when it cannot be fetched,
// the view shows the address. Links to http and https pages open in the
// view itself.
class TWebBrowser : public QTextBrowser {
    Q_OBJECT
    Q_PROPERTY(bool Silent READ Silent WRITE SetSilent)
    Q_PROPERTY(bool TheaterMode READ TheaterMode WRITE SetTheaterMode)

public:
    explicit TWebBrowser(QWidget* parent = nullptr);
    ~TWebBrowser() override;

    // Never shows a dialog box of its own; kept for callers that set it.
    bool Silent() const { return FSilent; }
    void SetSilent(bool value) { FSilent = value; }
    bool TheaterMode() const { return FTheaterMode; }
    void SetTheaterMode(bool value) { FTheaterMode = value; }

    // Starts showing `url`; an empty address shows an empty page. Only http
    // and https pages are fetched; any other address is only shown.
    void Navigate(const QString& url);
    QString LocationURL() const { return FLocation; }
    // True while a page is being fetched.
    bool Busy() const;

signals:
    // The navigation to `url` has ended: the page is shown, or it could not
    // be fetched and the address stays shown.
    void DocumentComplete(const QString& url, bool loaded);

protected:
    QVariant loadResource(int type, const QUrl& name) override;

private:
    struct TFetch;
    void PollFetch();
    void ShowAddress(const QString& url);

    bool FSilent = false;
    bool FTheaterMode = false;
    QString FLocation;
    std::shared_ptr<TFetch> FFetch;
    QTimer* FPoll;
};
