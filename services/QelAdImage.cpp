#include "services/QelAdImage.h"

#include "platform/Exception.h"
#include "platform/HttpClient.h"
#include "platform/MemIniFile.h"
#include "platform/StringList.h"
#include "services/QelThread.h"
#include "support/QelWebUrl.h"

#include <QBuffer>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

// ---------------------------------------------------------------------------
// One ad

TQelAdImageDate::TQelAdImageDate() : AdDate(new TQelAdDate) {}

TQelAdImageDate::~TQelAdImageDate()
{
    delete AdDate;
    delete Image;
}

void TQelAdImageDate::SetAdDate(const TQelAdDate* date)
{
    if (date)
        *AdDate = *date;
}

void TQelAdImageDate::Execute()
{
    DownLoadImage();
}

void TQelAdImageDate::DownLoadImage()
{
    if (AdDate->ImageUrl.isEmpty())
        return;
    QByteArray stream;
    try {
        THttpClient http;
        http.SetMaxSize(MaxImageBytes);
        http.SetAbortFlag(FAbort);
        stream = http.GetBytes(AdDate->ImageUrl);
    } catch (const EHttpError&) {
        return;
    }
    if (!stream.isEmpty())
        CreateImage(stream);
}

void TQelAdImageDate::CreateImage(const QByteArray& stream)
{
    // The configured name alone picks the decoder.
    const QString format = AdDate->ImageFormat.toLower();
    const char* decoder = nullptr;
    if (format == QLatin1String("jpg") || format == QLatin1String("jpeg"))
        decoder = "jpeg";
    else if (format == QLatin1String("bmp"))
        decoder = "bmp";
    else if (format == QLatin1String("gif"))
        decoder = "gif";
    if (!decoder)
        return;
    CreateAndLoadImage(new QImage, stream, decoder);
}

void TQelAdImageDate::CreateAndLoadImage(QImage* graphic, const QByteArray& stream, const char* format)
{
    delete Image;
    Image = graphic;
    QByteArray bytes = stream;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);
    // The reader refuses pictures beyond its allocation limit as well.
    if (!reader.read(Image))
        throw Exception(QStringLiteral("picture cannot be decoded as %1: %2").arg(QString::fromLatin1(format), reader.errorString()));
}

// ---------------------------------------------------------------------------
// The ad list

TQelAdImageDates::TQelAdImageDates() : Items(new qel::TItems<TQelAdImageDate>) {}

TQelAdImageDates::~TQelAdImageDates()
{
    delete Items;
}

void TQelAdImageDates::Execute()
{
    GetAdConfig();
}

void TQelAdImageDates::GetAdConfig()
{
    QString body;
    try {
        THttpClient http;
        http.SetMaxSize(MaxConfigBytes);
        http.SetAbortFlag(FAbort);
        body = http.Get(AdUrl);
    } catch (const EHttpError&) {
        return;
    }
    if (body.isEmpty())
        return;
    TStringList lines;
    lines.SetText(body);
    TMemIniFile ini;
    ini.SetStrings(lines);
    AddItems(&ini);
}

void TQelAdImageDates::AddItems(const TMemIniFile* ini)
{
    const QString set = QStringLiteral("set");
    if (ini->ReadString(set, QStringLiteral("flag"), QString()) != QLatin1String("zqad"))
        return;
    const int count = std::min(ini->ReadInteger(set, QStringLiteral("count"), 0), MaxCount);
    Items->Clear();
    for (int i = 0; i < count && !Aborted(); ++i) {
        const QString section = QStringLiteral("ad") + QString::number(i);
        // Held here until the list takes it: a decoder error discards it.
        auto item = std::make_unique<TQelAdImageDate>();
        TQelAdDate* d = item->AdDate;
        d->ImageUrl = ini->ReadString(section, QStringLiteral("image_url"), QString());
        d->ImageFormat = ini->ReadString(section, QStringLiteral("image_format"), QString());
        d->AdFileName = ini->ReadString(section, QStringLiteral("file_name"), QString());
        d->LinkUrl = ini->ReadString(section, QStringLiteral("link_url"), QString());
        d->AdText = ini->ReadString(section, QStringLiteral("text"), QString());
        item->SetAbortFlag(FAbort);
        item->Execute();
        item->SetAbortFlag(nullptr);
        Items->Add(item.get());
        item.release();
    }
}

// ---------------------------------------------------------------------------
// The banner

// What a load shares with the banner. The worker writes the list, then
// Loaded (release); the banner reads Loaded (acquire) before the list.
struct TQelAdLoad {
    TQelAdImageDates Dates;
    std::atomic<bool> Loading {false};
    std::atomic<bool> Loaded {false};
    std::atomic<bool> Abandoned {false}; // the banner is gone: stop early
};

namespace {

void AdThread(TQelAdLoad& load)
{
    load.Loading.store(true, std::memory_order_release);
    load.Dates.Execute();
    if (load.Dates.GetCount() > 0)
        load.Loaded.store(true, std::memory_order_release);
    // A decoder error skips this: the load stays "running", so no new one
    // is started for this banner.
    load.Loading.store(false, std::memory_order_release);
}

} // namespace

TQelAdImage::TQelAdImage(QWidget* AOwner) : QWidget(AOwner), AdTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("QelAdImage"));
    AdTimer->setObjectName(QStringLiteral("AdTimer"));
    resize(220, 60);
    setCursor(Qt::PointingHandCursor);
    setVisible(false);
    SetAdInterval(10000);
    connect(AdTimer, &QTimer::timeout, this, &TQelAdImage::AdTimerTimer);
}

TQelAdImage::~TQelAdImage()
{
    delete AdTimer;
    if (FLoad)
        FLoad->Abandoned.store(true, std::memory_order_release);
}

void TQelAdImage::SetAdInterval(int value)
{
    if (value == FAdInterval)
        return;
    AdTimer->setInterval(value);
    FAdInterval = value;
}

void TQelAdImage::Execute()
{
    // Polling restarts only until the first ad is up; afterwards the
    // rotation keeps its pace and picks up the new list when it is there.
    if (FFirstShow) {
        AdTimer->stop();
        AdTimer->setInterval(FStartInterval);
        AdTimer->start();
    }
    if (FLoad && FLoad->Loading.load(std::memory_order_acquire))
        return;
    // A fresh state for every load: the list on screen is never rewritten
    // under the banner's feet.
    auto load = std::make_shared<TQelAdLoad>();
    load->Dates.AdUrl = FAdUrl;
    load->Dates.SetAbortFlag(&load->Abandoned);
    load->Loading.store(true, std::memory_order_release);
    FLoad = load;
    if (FMultThread)
        CreateQelThread([load] { AdThread(*load); }, false);
    else
        AdThread(*load);
}

void TQelAdImage::AdTimerTimer()
{
    if (FLoad && FLoad != FShown && FLoad->Loaded.load(std::memory_order_acquire)) {
        FShown = FLoad;
        FAdIndex = -1;
    }
    if (!FShown)
        return;
    if (FFirstShow) {
        setVisible(true);
        AdTimer->stop();
        AdTimer->setInterval(FAdInterval);
        AdTimer->start();
        FFirstShow = false;
    }
    const int count = FShown->Dates.GetCount();
    FAdIndex = qint16(FAdIndex < count - 1 ? FAdIndex + 1 : 0);
    const TQelAdImageDate* ad = FShown->Dates.GetItem(FAdIndex);
    FPicture = ad->Image ? *ad->Image : QImage();
    update();
}

const TQelAdImageDate* TQelAdImage::CurrentAd() const
{
    if (!FShown || FAdIndex < 0 || FAdIndex >= FShown->Dates.GetCount())
        return nullptr;
    return FShown->Dates.GetItem(FAdIndex);
}

bool TQelAdImage::IsLoading() const
{
    return FLoad && FLoad->Loading.load(std::memory_order_acquire);
}

bool TQelAdImage::IsLoaded() const
{
    return FShown || (FLoad && FLoad->Loaded.load(std::memory_order_acquire));
}

QRect TQelAdImage::PictureRect(const QSize& picture, const QSize& control)
{
    if (picture.isEmpty())
        return QRect();
    QSize size = picture;
    if (picture.width() > control.width() || picture.height() > control.height())
        size = picture.scaled(control, Qt::KeepAspectRatio);
    return QRect(QPoint(0, 0), size);
}

void TQelAdImage::paintEvent(QPaintEvent*)
{
    if (FPicture.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(PictureRect(FPicture.size(), size()), FPicture);
}

void TQelAdImage::mousePressEvent(QMouseEvent* event)
{
    FPressed = event->button() == Qt::LeftButton;
}

void TQelAdImage::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = FPressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    FPressed = false;
    if (click)
        Click();
}

void TQelAdImage::Click()
{
    if (const TQelAdImageDate* ad = CurrentAd())
        qel::ShellOpenWebUrl(ad->AdDate->LinkUrl);
}
