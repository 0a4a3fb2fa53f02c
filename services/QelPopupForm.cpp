#include "services/QelPopupForm.h"

#include "platform/Exception.h"
#include "platform/WebBrowser.h"
#include "support/QelFile.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <memory>

namespace {

constexpr char FramePlacedProperty[] = "ralvinorFramePlaced";

// Where a window of `size` sits in the bottom right corner of `area`.
QPoint CornerOf(const QRect& area, const QSize& size)
{
    return QPoint(area.x() + area.width() - size.width(), area.y() + area.height() - size.height());
}

// A new window filled by one child of type TChild named `name`, without
// margins, titled `title`.
template <typename TChild>
TChild* NewFilledForm(std::unique_ptr<QWidget>& form, const QString& name, const QString& title)
{
    form = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(form.get());
    layout->setContentsMargins(0, 0, 0, 0);
    auto* child = new TChild(form.get());
    child->setObjectName(name);
    layout->addWidget(child);
    form->setWindowTitle(title);
    return child;
}

} // namespace

TQelCustomPopupForm::TQelCustomPopupForm(QObject* owner) : QObject(owner) {}

TQelCustomPopupForm::~TQelCustomPopupForm()
{
    // The windows must not call back into a half-destroyed component.
    for (int i = 0; i < PopupForms.Count(); ++i)
        if (QWidget* form = PopupForms.Get(i)->Form)
            Detach(form);
    PopupForms.Clear();
}

void TQelCustomPopupForm::Execute()
{
    if (!OnPopupForm)
        return;
    QWidget* created = nullptr;
    const TPopupFormEvent factory = OnPopupForm;
    factory(this, created);
    if (!created)
        return;
    std::unique_ptr<QWidget> form(created);

    QScreen* screen = qGuiApp ? QGuiApplication::primaryScreen() : nullptr;
    if (!screen)
        return;

    // A fixed dialog frame: title bar and close box, no resizing.
    form->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    form->setAttribute(Qt::WA_QuitOnClose, false);
    form->setFixedSize(FFormWidth, FFormHeight);
    // The available area leaves out every panel, on whichever edge it sits.
    const QRect area = screen->availableGeometry();
    form->move(CornerOf(area, QSize(FFormWidth, FFormHeight)));

    form->installEventFilter(this);
    // A window deleted by someone else leaves the list on its own.
    connect(form.get(), &QObject::destroyed, this, [this](QObject* gone) { Forget(gone); });
    auto slot = std::make_unique<TPopupSlot>();
    slot->Form = form.get();
    PopupForms.Add(slot.get());
    slot.release();
    form.release()->show();
}

bool TQelCustomPopupForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Move && watched->isWidgetType() && IndexOf(watched) >= 0) {
        // A window manager adds its frame only once the window is up, and
        // the frame would then stick out past the corner: pull the window
        // back in, once, when the frame first shows.
        auto* w = static_cast<QWidget*>(watched);
        QScreen* screen = QGuiApplication::primaryScreen();
        const QRect frame = w->frameGeometry();
        if (screen && frame != w->geometry() && !w->property(FramePlacedProperty).toBool()) {
            w->setProperty(FramePlacedProperty, true);
            const QRect area = screen->availableGeometry();
            if (!area.contains(frame))
                w->move(CornerOf(area, frame.size()));
        }
    }
    if (event->type() == QEvent::Close && IndexOf(watched) >= 0) {
        // The window itself may still refuse to close: look once the close
        // has been processed, and only then let it go.
        QTimer::singleShot(0, this, [this, form = QPointer<QObject>(watched)] {
            auto* w = qobject_cast<QWidget*>(form.data());
            if (w && w->isHidden() && IndexOf(w) >= 0)
                FormClose(w);
        });
    }
    return QObject::eventFilter(watched, event);
}

void TQelCustomPopupForm::FormClose(QObject* sender)
{
    const int index = IndexOf(sender);
    if (index < 0)
        return;
    QWidget* form = PopupForms.Get(index)->Form;
    PopupForms.Get(index)->Form = nullptr;   // leaves the list without being deleted by it
    PopupForms.Delete(index, false);
    Detach(form);
    form->deleteLater();
}

void TQelCustomPopupForm::Detach(QWidget* form)
{
    form->removeEventFilter(this);
    disconnect(form, nullptr, this, nullptr);
}

void TQelCustomPopupForm::Forget(const QObject* form)
{
    // A widget reports its end while our guard may still point at it: let
    // go of it without deleting it a second time.
    for (int i = PopupForms.Count() - 1; i >= 0; --i) {
        TPopupSlot* slot = PopupForms.Get(i);
        if (!slot->Form || slot->Form == form) {
            slot->Form = nullptr;
            PopupForms.Delete(i, false);
        }
    }
}

int TQelCustomPopupForm::IndexOf(const QObject* form) const
{
    if (!form)
        return -1;
    for (int i = 0; i < PopupForms.Count(); ++i)
        if (PopupForms.Get(i)->Form == form)
            return i;
    return -1;
}

TQelPopupForm::TQelPopupForm(QObject* owner) : TQelCustomPopupForm(owner) {}

TQelPopupNewsForm::TQelPopupNewsForm(QObject* owner) : TQelCustomPopupForm(owner)
{
    SetCaption(QStringLiteral("网站新闻"));
    OnPopupForm = [this](QObject* sender, QWidget*& userForm) { PopupForm(sender, userForm); };
}

void TQelPopupNewsForm::PopupForm(QObject*, QWidget*& userForm)
{
    std::unique_ptr<QWidget> form;
    auto* web = NewFilledForm<TWebBrowser>(form, QStringLiteral("WebNews"), Caption());
    FWebNews = web;
    web->SetSilent(true);
    web->SetTheaterMode(true);
    web->Navigate(FUrl);
    userForm = form.release();
}

TQelPopupMsgForm::TQelPopupMsgForm(QObject* owner) : TQelCustomPopupForm(owner)
{
    SetCaption(QStringLiteral("消息"));
    OnPopupForm = [this](QObject* sender, QWidget*& userForm) { PopupForm(sender, userForm); };
}

void TQelPopupMsgForm::PopupForm(QObject*, QWidget*& userForm)
{
    std::unique_ptr<QWidget> form;
    auto* memo = NewFilledForm<QPlainTextEdit>(form, QStringLiteral("MemoMsg"), Caption());
    FMemoMsg = memo;
    memo->setFrameShape(QFrame::NoFrame);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QString text = FMsg;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    memo->setPlainText(text);
    userForm = form.release();
}

namespace qel {

bool PopupAdForm()
{
    const QString exe = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    const QString path = GetAppPath() + QFileInfo(exe).fileName() + QStringLiteral("_ad.cfg");
    const QString today = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);

    bool due = true;
    QFile in(path);
    if (in.exists()) {
        if (!in.open(QIODevice::ReadOnly))
            throw Exception(QStringLiteral("无法读取文件 \"%1\"").arg(path));
        const QString text = QString::fromUtf8(in.readAll());
        in.close();
        if (!text.isEmpty()) {
            QString first = text.section(u'\n', 0, 0);
            if (first.endsWith(u'\r'))
                first.chop(1);
            due = first != today;
        }
    }

    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write((today + u'\n').toUtf8()) < 0 || !out.commit())
        throw Exception(QStringLiteral("无法写入文件 \"%1\"").arg(path));
    return due;
}

} // namespace qel
