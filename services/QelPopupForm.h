#pragma once

#include "platform/WebBrowser.h"
#include "support/QelItems.h"

#include <QObject>
#include <QPlainTextEdit>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

// Shows small notification windows in the bottom right corner of the primary
// screen's available area, just clear of any panel. Each Execute builds one
// window through OnPopupForm and shows it without making it modal; the
// component keeps the windows still open and destroys them when they are
// closed (after their close processing) or when it is destroyed itself.
class TQelCustomPopupForm : public QObject {
    Q_OBJECT
    Q_PROPERTY(int FormHeight READ FormHeight WRITE SetFormHeight)
    Q_PROPERTY(int FormWidth READ FormWidth WRITE SetFormWidth)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)

public:
    // The factory: builds a window, stores it in `userForm` and gives it up.
    using TPopupFormEvent = std::function<void(QObject* sender, QWidget*& userForm)>;

    explicit TQelCustomPopupForm(QObject* owner = nullptr);
    ~TQelCustomPopupForm() override;

    int FormHeight() const { return FFormHeight; }
    void SetFormHeight(int value) { FFormHeight = value; }
    int FormWidth() const { return FFormWidth; }
    void SetFormWidth(int value) { FFormWidth = value; }
    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& value) { FCaption = value; }

    // Builds and shows one window; nothing when the factory yields none or
    // there is no screen. What the factory raises passes to the caller.
    void Execute();

    // Runs for every window shown once it has closed (a window that refuses
    // to close stays): the window leaves the list, the last one taking its
    // place, and is destroyed after its close processing has ended.
    void FormClose(QObject* sender);

    // The windows shown and not yet closed, newest last unless a close has
    // moved the last one into the freed place.
    int PopupFormCount() const { return PopupForms.Count(); }
    QWidget* PopupFormAt(int index) const { return PopupForms.Get(index)->Form; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

    TPopupFormEvent OnPopupForm;

    // One open window; the slot deletes the window it still holds.
    struct TPopupSlot {
        QPointer<QWidget> Form;
        ~TPopupSlot() { delete Form.data(); }
    };
    qel::TItems<TPopupSlot> PopupForms;

private:
    int IndexOf(const QObject* form) const;
    void Forget(const QObject* form);
    // Stops watching `form`: no event or signal of it reaches this any more.
    void Detach(QWidget* form);

    int FFormHeight = 200;
    int FFormWidth = 250;
    QString FCaption;
};

// The application supplies the window through OnPopupForm.
class TQelPopupForm : public TQelCustomPopupForm {
    Q_OBJECT
public:
    explicit TQelPopupForm(QObject* owner = nullptr);
    using TQelCustomPopupForm::OnPopupForm;
};

// A window titled "网站新闻" showing the web page at Url.
class TQelPopupNewsForm : public TQelCustomPopupForm {
    Q_OBJECT
    Q_PROPERTY(QString Url READ Url WRITE SetUrl)

public:
    explicit TQelPopupNewsForm(QObject* owner = nullptr);

    const QString& Url() const { return FUrl; }
    void SetUrl(const QString& value) { FUrl = value; }

    // The web view of the last window built (owned by that window).
    TWebBrowser* WebNews() const { return FWebNews; }

    void PopupForm(QObject* sender, QWidget*& userForm);

private:
    QString FUrl;
    QPointer<TWebBrowser> FWebNews;
};

// A window titled "消息" showing Msg in a borderless text box that scrolls
// vertically only.
class TQelPopupMsgForm : public TQelCustomPopupForm {
    Q_OBJECT
    Q_PROPERTY(QString Msg READ Msg WRITE SetMsg)

public:
    explicit TQelPopupMsgForm(QObject* owner = nullptr);

    const QString& Msg() const { return FMsg; }
    void SetMsg(const QString& value) { FMsg = value; }

    // The text box of the last window built (owned by that window).
    QPlainTextEdit* MemoMsg() const { return FMemoMsg; }

    void PopupForm(QObject* sender, QWidget*& userForm);

private:
    QString FMsg;
    QPointer<QPlainTextEdit> FMemoMsg;
};

namespace qel {

// Whether an ad popup is due: true on the first call of a calendar day,
// false on every later call that day. The day is kept, in the user's short
// date format, in the file named after the program followed by "_ad.cfg"
// in the program's folder. Raises Exception when that file cannot be
// written.
bool PopupAdForm();

} // namespace qel
