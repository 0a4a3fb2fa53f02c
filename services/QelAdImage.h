#pragma once

#include "support/QelItems.h"

#include <QImage>
#include <QString>
#include <QWidget>
#include <atomic>
#include <memory>

class QTimer;
class TMemIniFile;

// The text fields of one ad, as the configuration gives them.
struct TQelAdDate {
    QString ImageUrl;    // image_url: the picture, fetched with GET
    QString ImageFormat; // image_format: jpg, jpeg, bmp or gif, any case
    QString AdFileName;  // file_name: kept only
    QString LinkUrl;     // link_url: opened on click (http and https only)
    QString AdText;      // text: kept only
};

// One ad: its fields and its decoded picture.
class TQelAdImageDate {
public:
    TQelAdImageDate();
    ~TQelAdImageDate();
    TQelAdImageDate(const TQelAdImageDate&) = delete;
    TQelAdImageDate& operator=(const TQelAdImageDate&) = delete;

    // Pictures longer than this are dropped as failed downloads.
    static constexpr qint64 MaxImageBytes = 16 * 1024 * 1024;

    // The decoded picture, owned; null when the download failed or was empty
    // or the format is not one of jpg, jpeg, bmp, gif.
    QImage* Image = nullptr;
    // Owned, never null.
    TQelAdDate* AdDate;

    void SetAdDate(const TQelAdDate* date);
    // Downloads and decodes the picture; blocks until done. A network
    // failure leaves no picture; bytes the decoder rejects (a picture larger
    // than its allocation limit included) raise Exception.
    void Execute();
    void DownLoadImage();
    void CreateImage(const QByteArray& stream);
    // Stores `graphic` in Image first, then decodes `stream` into it as
    // `format` ("JPG", "BMP", "GIF").
    void CreateAndLoadImage(QImage* graphic, const QByteArray& stream, const char* format);

    // While `*flag` is true a running download stops (as a failed one).
    void SetAbortFlag(const std::atomic<bool>* flag) { FAbort = flag; }

private:
    const std::atomic<bool>* FAbort = nullptr;
};

// The ad list: downloads the configuration from AdUrl, checks its marker and
// builds one entry per ad section, picture included, in one blocking call.
class TQelAdImageDates {
public:
    TQelAdImageDates();
    ~TQelAdImageDates();
    TQelAdImageDates(const TQelAdImageDates&) = delete;
    TQelAdImageDates& operator=(const TQelAdImageDates&) = delete;

    // Configuration replies longer than this are dropped as failed requests.
    static constexpr qint64 MaxConfigBytes = 1024 * 1024;
    // More ads than the banner's 16-bit index can reach are not read.
    static constexpr int MaxCount = 32767;

    qel::TItems<TQelAdImageDate>* Items; // owned
    QString AdUrl;

    // Fetches the configuration and every picture. The list is rebuilt only
    // when the reply carries the marker flag=zqad; a failed request, an
    // empty reply or another marker leave it as it was. A decoder error ends
    // the rebuild at that entry and propagates.
    void Execute();
    void GetAdConfig();
    void AddItems(const TMemIniFile* ini);

    // Raises std::out_of_range outside 0 .. GetCount()-1.
    TQelAdImageDate* GetItem(int index) const { return Items->Get(index); }
    int GetCount() const { return Items->Count(); }

    // While `*flag` is true a running Execute stops early: the request under
    // way fails and no further entry is read.
    void SetAbortFlag(const std::atomic<bool>* flag) { FAbort = flag; }

private:
    bool Aborted() const { return FAbort && FAbort->load(std::memory_order_acquire); }
    const std::atomic<bool>* FAbort = nullptr;
};

struct TQelAdLoad;

// The ad banner. Execute() loads the ads (on a worker thread unless
// MultThread is false); the control stays hidden until a load brings at
// least one ad, then shows ad 0, 1, 2, ..., 0, ... every AdInterval ms. A
// click opens the link of the ad on screen, if it is an http or https
// address. The picture is drawn at the top-left corner, scaled down to fit
// (keeping its aspect ratio), never up, never centred.
//
// A load writes only into state it shares with the control, so destroying
// the control while a load runs is safe: the load stops early and frees that
// state when it ends.
class TQelAdImage : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int AdInterval READ GetAdInterval WRITE SetAdInterval)
    Q_PROPERTY(QString AdUrl READ GetAdUrl WRITE SetAdUrl)
    Q_PROPERTY(bool MultThread READ GetMultThread WRITE SetMultThread)
    Q_PROPERTY(int StartInterval READ GetStartInterval WRITE SetStartInterval)

public:
    explicit TQelAdImage(QWidget* AOwner = nullptr);
    ~TQelAdImage() override;

    // Time each ad stays on screen, ms (default 10000). Setting another
    // value changes the timer's interval at once.
    int GetAdInterval() const { return FAdInterval; }
    void SetAdInterval(int value);
    // The configuration address, read by the next Execute().
    const QString& GetAdUrl() const { return FAdUrl; }
    void SetAdUrl(const QString& value) { FAdUrl = value; }
    // true (default): load on a worker thread; false: inside Execute(),
    // whose errors then reach the caller.
    bool GetMultThread() const { return FMultThread; }
    void SetMultThread(bool value) { FMultThread = value; }
    // Polling interval until the first ad is shown, ms (default 1000).
    int GetStartInterval() const { return FStartInterval; }
    void SetStartInterval(int value) { FStartInterval = value; }

    // Starts loading and showing. While a load runs a further call only
    // restarts the polling; once ads are on screen a further call loads a
    // fresh list that replaces the shown one when it has at least one ad.
    void Execute();

    // Index of the ad on screen, -1 before the first.
    int GetAdIndex() const { return FAdIndex; }
    // The ad on screen, null before the first.
    const TQelAdImageDate* CurrentAd() const;
    bool IsLoading() const;
    // A load finished with at least one ad.
    bool IsLoaded() const;
    // The picture on screen (null when the ad has none).
    const QImage& Picture() const { return FPicture; }

    // Where a picture of size `picture` is drawn in a control of size
    // `control`.
    static QRect PictureRect(const QSize& picture, const QSize& control);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Opens the link of the ad on screen.
    virtual void Click();

private:
    void AdTimerTimer();

    QTimer* AdTimer;
    int FAdInterval = 0;
    QString FAdUrl;
    bool FMultThread = true;
    int FStartInterval = 1000;
    std::shared_ptr<TQelAdLoad> FLoad;  // the latest load started
    std::shared_ptr<TQelAdLoad> FShown; // the load whose ads are on screen
    qint16 FAdIndex = -1;
    bool FFirstShow = true;
    bool FPressed = false;
    QImage FPicture;
};
