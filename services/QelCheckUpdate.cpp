#include "services/QelCheckUpdate.h"

#include "platform/HttpClient.h"
#include "support/QelDialogs.h"
#include "support/QelWebUrl.h"

namespace {
// The reply is one character; anything near this size is not a reply.
constexpr qint64 kMaxReply = 1024 * 1024;
} // namespace

TQelCheckUpdate::TQelCheckUpdate(QObject* AOwner) : QObject(AOwner), FHttp(std::make_unique<THttpClient>())
{
    FHttp->SetMaxSize(kMaxReply);
}

TQelCheckUpdate::~TQelCheckUpdate() = default;

QString TQelCheckUpdate::RequestUrl() const
{
    return FUrl + QLatin1String("?id=") + FID + QLatin1String("&&ver=") + FVersion;
}

void TQelCheckUpdate::Execute()
{
    const QString reply = FHttp->Get(RequestUrl());
    if (reply != QLatin1String("1"))
        return;
    if (OnNewVersion)
        OnNewVersion(nullptr);
    else
        ShowMsg();
}

void TQelCheckUpdate::ShowMsg()
{
    const QString text = FMessage.isEmpty() ? QStringLiteral("有新版本软件是否查看？") : FMessage;
    if (qel::AskBox(text, QStringLiteral("询问")))
        qel::ShellOpenWebUrl(FGoto);
}
