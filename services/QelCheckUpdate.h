#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class THttpClient;

// Asks the maker's site whether a newer version exists: one GET of
// Url + "?id=" + ID + "&&ver=" + Version (inserted as they are, nothing
// percent-encoded); only the exact reply "1" means yes.
class TQelCheckUpdate : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString ID READ GetID WRITE SetID)
    Q_PROPERTY(QString Version READ GetVersion WRITE SetVersion)
    Q_PROPERTY(QString Message READ GetMessage WRITE SetMessage)
    Q_PROPERTY(QString Url READ GetUrl WRITE SetUrl)
    Q_PROPERTY(QString Goto READ GetGoto WRITE SetGoto)

public:
    explicit TQelCheckUpdate(QObject* AOwner = nullptr);
    ~TQelCheckUpdate() override;

    const QString& GetID() const { return FID; }
    void SetID(const QString& value) { FID = value; }
    const QString& GetVersion() const { return FVersion; }
    void SetVersion(const QString& value) { FVersion = value; }
    // The question; empty means "有新版本软件是否查看？".
    const QString& GetMessage() const { return FMessage; }
    void SetMessage(const QString& value) { FMessage = value; }
    const QString& GetUrl() const { return FUrl; }
    void SetUrl(const QString& value) { FUrl = value; }
    // Opened when the user accepts; only an http or https address is opened.
    const QString& GetGoto() const { return FGoto; }
    void SetGoto(const QString& value) { FGoto = value; }

    // When set, called with a null Sender instead of the question.
    std::function<void(QObject* Sender)> OnNewVersion;

    // The request target of Execute().
    QString RequestUrl() const;

    // Sends the request on the calling thread (the GUI thread: the question
    // is a modal box) and blocks until the reply. Raises EHttpError when the
    // request fails, before anything is shown.
    void Execute();
    // Asks the question and opens Goto on OK.
    void ShowMsg();

private:
    QString FID;
    QString FVersion;
    QString FMessage;
    QString FUrl;
    QString FGoto;
    std::unique_ptr<THttpClient> FHttp;
};
