#include "support/QelFormStyle.h"

#include "platform/X11Window.h"

#include <QCursor>
#include <QGuiApplication>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace qel {

namespace {

// Millimetres to inches, kept in extended precision.
constexpr long double InchPerMm = 1.0L / 25.4L;

enum class TLayer { Normal, OnTop, Desktop };

// A window changes layer the way the form's style setter re-creates it:
// whatever layer it was in before is left.
void SetWindowLayer(QWidget* form, TLayer layer)
{
    if (!form || !form->isWindow())
        return;
    Qt::WindowFlags flags = form->windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, layer == TLayer::OnTop);
    flags.setFlag(Qt::WindowStaysOnBottomHint, layer == TLayer::Desktop);
    const bool changed = flags != form->windowFlags();
    const bool visible = form->isVisible();
    // New flags hide a shown window; while it is hidden its taskbar state is
    // ours to write, and it is shown again afterwards.
    if (changed)
        form->setWindowFlags(flags);
    plat::KeepOffTaskbar(form, layer == TLayer::Desktop);
    if (changed && visible)
        form->show();
}

} // namespace

void SetFormOnDeskTop(QWidget* form)
{
    SetWindowLayer(form, TLayer::Desktop);
}

void HideAppBar()
{
    plat::KeepAllOffTaskbar();
}

void SetFormPosAtMouse(QWidget* form)
{
    if (form)
        form->move(QCursor::pos());
}

void SetFormPosAsMouseMove(QWidget* form, QPoint& point)
{
    if (!form)
        return;
    const QPoint now = QCursor::pos();
    form->move(form->x() + (now.x() - point.x()), form->y() + (now.y() - point.y()));
    point = QCursor::pos();
}

void ZoomControl(QWidget* control, int width, int height, float factor)
{
    if (control)
        control->resize(static_cast<int>(width * factor), static_cast<int>(height * factor));
}

int GetDeskTopDpi()
{
    QScreen* screen = qGuiApp ? QGuiApplication::primaryScreen() : nullptr;
    return screen ? static_cast<int>(std::lround(screen->logicalDotsPerInchX())) : 0;
}

int GetPrinterDpi()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return 0;
    QPrinter printer(info, QPrinter::HighResolution);
    return printer.logicalDpiX();
}

double MmToPixel(double dpi, double mm)
{
    return static_cast<double>(InchPerMm * dpi * mm);
}

double PixelToMm(double dpi, double pixels)
{
    return static_cast<double>(pixels / (InchPerMm * dpi));
}

} // namespace qel

using namespace qel;

// The click handler the component puts on a menu item. It carries the
// handler the item had before, so that it can pass the click on and give the
// handler back; it acts only while its component lives and holds the item.
struct TFormStyleClick {
    QPointer<TQelFormStyle> Owner;
    const TQelFormStyle* Self;
    TFormStyle Style;
    TMenuItem::TNotifyEvent Saved;

    void operator()(QObject* sender) const
    {
        // Copies: the click may replace this very handler.
        const TMenuItem::TNotifyEvent saved = Saved;
        if (TQelFormStyle* owner = Owner.data(); owner && owner->FItems[Style] == sender)
            owner->MenuClick(Style, sender);
        if (saved)
            saved(sender);
    }
};

namespace {

// The component's own handler on `item`, or null.
const TFormStyleClick* OwnClick(const TMenuItem* item, const TQelFormStyle* self)
{
    const auto* click = item->OnClick.target<TFormStyleClick>();
    return click && click->Self == self ? click : nullptr;
}

} // namespace

TQelFormStyle::TQelFormStyle(QObject* owner) : QObject(owner)
{
    auto* widget = qobject_cast<QWidget*>(owner);
    if (widget && widget->isWindow())
        FForm = widget;
    SetFormStyle(fsNormal);
}

TQelFormStyle::~TQelFormStyle()
{
    for (int s = fsNormal; s <= fsOnDesktop; ++s) {
        TMenuItem* item = FItems[s];
        if (!item)
            continue;
        if (const TFormStyleClick* click = OwnClick(item, this))
            item->OnClick = TMenuItem::TNotifyEvent(click->Saved);
    }
}

void TQelFormStyle::SetFormStyle(TFormStyle value)
{
    if (value == FFormStyle)
        return;
    FFormStyle = value;
    switch (value) {
    case fsNormal: NormalFormStyle(); break;
    case fsStayOnTop: StayOnTopFormStyle(); break;
    case fsOnDesktop: OnDesktopFormStyle(); break;
    }
}

void TQelFormStyle::NormalFormStyle()
{
    SetWindowLayer(FForm, TLayer::Normal);
    SetChecks(fsNormal);
}

void TQelFormStyle::StayOnTopFormStyle()
{
    SetWindowLayer(FForm, TLayer::OnTop);
    SetChecks(fsStayOnTop);
}

void TQelFormStyle::OnDesktopFormStyle()
{
    SetWindowLayer(FForm, TLayer::Desktop);
    SetChecks(fsOnDesktop);
}

void TQelFormStyle::SetMenuCheck(TMenuItem* item, bool checked)
{
    if (FAutoChecked && item)
        item->SetChecked(checked);
}

void TQelFormStyle::SetChecks(TFormStyle style)
{
    SetMenuCheck(FItems[fsNormal], style == fsNormal);
    SetMenuCheck(FItems[fsStayOnTop], style == fsStayOnTop);
    SetMenuCheck(FItems[fsOnDesktop], style == fsOnDesktop);
}

void TQelFormStyle::MenuClick(TFormStyle style, QObject*)
{
    SetFormStyle(style);
}

void TQelFormStyle::SetMenuItem(TFormStyle style, TMenuItem* item)
{
    if (FItems[style] == item)
        return;
    ReleaseItem(style);
    FItems[style] = item;
    if (!item)
        return;
    // An item already serving another style passes on what it had before
    // the component took it, never the component's own handler.
    TMenuItem::TNotifyEvent saved = item->OnClick;
    if (const TFormStyleClick* own = OwnClick(item, this))
        saved = own->Saved;
    item->OnClick = TFormStyleClick {this, this, style, std::move(saved)};
}

void TQelFormStyle::ReleaseItem(TFormStyle style)
{
    TMenuItem* item = FItems[style];
    FItems[style] = nullptr;
    if (!item)
        return;
    const TFormStyleClick* own = OwnClick(item, this);
    if (!own)   // someone else has put a handler there since
        return;
    TMenuItem::TNotifyEvent saved = own->Saved;
    for (int s = fsNormal; s <= fsOnDesktop; ++s) {
        if (FItems[s] == item) {
            item->OnClick = TFormStyleClick {this, this, static_cast<TFormStyle>(s), std::move(saved)};
            return;
        }
    }
    item->OnClick = std::move(saved);
}
