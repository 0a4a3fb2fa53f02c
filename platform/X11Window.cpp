#include "platform/X11Window.h"

#include "platform/X11Display.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QVariant>
#include <QWidget>
#include <QWindow>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <optional>
#include <vector>

namespace plat {

namespace {

constexpr char SkipTaskbarProperty[] = "ralvinorSkipTaskbar";

Atom AtomOf(Display* dpy, const char* name)
{
    return XInternAtom(dpy, name, False);
}

std::vector<Atom> ReadAtoms(Display* dpy, Window w, Atom property)
{
    std::vector<Atom> atoms;
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    TX11ErrorTrap trap(dpy);
    if (XGetWindowProperty(dpy, w, property, 0, 1024, False, XA_ATOM, &type, &format, &count, &after, &data)
            == Success
        && data && type == XA_ATOM && format == 32) {
        const auto* items = reinterpret_cast<const Atom*>(data);
        atoms.assign(items, items + count);
    }
    if (data)
        XFree(data);
    return atoms;
}

bool WindowExists(Display* dpy, Window w, XWindowAttributes& attrs)
{
    TX11ErrorTrap trap(dpy);
    return XGetWindowAttributes(dpy, w, &attrs) != 0 && !trap.Failed();
}

// A window manager announces itself by a check window named on the root.
bool WindowManagerRunning(Display* dpy)
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    Window check = 0;
    {
        TX11ErrorTrap trap(dpy);
        if (XGetWindowProperty(dpy, DefaultRootWindow(dpy), AtomOf(dpy, "_NET_SUPPORTING_WM_CHECK"), 0, 1, False,
                               XA_WINDOW, &type, &format, &count, &after, &data)
                == Success
            && data && type == XA_WINDOW && format == 32 && count == 1)
            check = *reinterpret_cast<const Window*>(data);
        if (data)
            XFree(data);
    }
    XWindowAttributes attrs;
    return check != 0 && WindowExists(dpy, check, attrs);
}

// The state is the client's to write while the window is not mapped, and
// when no window manager runs; otherwise the window manager is asked.
void SetSkipStates(Display* dpy, Window w, bool on)
{
    XWindowAttributes attrs;
    if (!WindowExists(dpy, w, attrs))
        return;
    const Atom state = AtomOf(dpy, "_NET_WM_STATE");
    const Atom wanted[] = {AtomOf(dpy, "_NET_WM_STATE_SKIP_TASKBAR"), AtomOf(dpy, "_NET_WM_STATE_SKIP_PAGER")};

    if (attrs.map_state == IsUnmapped || !WindowManagerRunning(dpy)) {
        std::vector<Atom> atoms = ReadAtoms(dpy, w, state);
        bool changed = false;
        for (Atom a : wanted) {
            const auto at = std::find(atoms.begin(), atoms.end(), a);
            if (on && at == atoms.end()) {
                atoms.push_back(a);
                changed = true;
            } else if (!on && at != atoms.end()) {
                atoms.erase(at);
                changed = true;
            }
        }
        if (!changed)
            return;
        TX11ErrorTrap trap(dpy);
        XChangeProperty(dpy, w, state, XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(atoms.data()), static_cast<int>(atoms.size()));
        return;
    }

    XEvent ev {};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = w;
    ev.xclient.message_type = state;
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = on ? 1 : 0;   // _NET_WM_STATE_ADD or _REMOVE
    ev.xclient.data.l[1] = static_cast<long>(wanted[0]);
    ev.xclient.data.l[2] = static_cast<long>(wanted[1]);
    ev.xclient.data.l[3] = 1;   // asked for by an application
    TX11ErrorTrap trap(dpy);
    XSendEvent(dpy, DefaultRootWindow(dpy), False, SubstructureRedirectMask | SubstructureNotifyMask, &ev);
}

// Puts the state on the windows concerned each time they are shown. The
// Show event comes before the native window is mapped, but the platform may
// still replace that window while showing it (after new flags), so the state
// is put again once the show is done.
class TTaskbarKeeper : public QObject {
public:
    explicit TTaskbarKeeper(QObject* parent) : QObject(parent) {}

    bool All = false;
    bool EverAll = false;

    static TTaskbarKeeper* Instance()
    {
        static QPointer<TTaskbarKeeper> keeper;
        if (!keeper && qApp) {
            keeper = new TTaskbarKeeper(qApp);
            qApp->installEventFilter(keeper);
        }
        return keeper;
    }

    static void Apply(QWidget* window, bool on)
    {
        // QWidget::winId() may still name a native window that new flags
        // replaced; the QWindow knows the current one.
        Display* dpy = X11AppDisplay();
        const QWindow* handle = window->windowHandle();
        if (dpy && handle && handle->handle())
            SetSkipStates(dpy, handle->winId(), on);
    }

    // Whether the window should be off the taskbar; nothing when it is none
    // of our business.
    std::optional<bool> Wanted(const QWidget* w) const
    {
        const Qt::WindowType type = w->windowType();
        if (!w->isWindow() || (type != Qt::Window && type != Qt::Dialog))
            return std::nullopt;
        const QVariant mark = w->property(SkipTaskbarProperty);
        if (All || mark.toBool())
            return true;
        if (mark.isValid() || EverAll)
            return false;
        return std::nullopt;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Show || !watched->isWidgetType())
            return false;
        auto* w = static_cast<QWidget*>(watched);
        if (const std::optional<bool> on = Wanted(w)) {
            Apply(w, *on);
            QTimer::singleShot(0, this, [this, guard = QPointer<QWidget>(w)] {
                if (guard && guard->isVisible())
                    if (const std::optional<bool> now = Wanted(guard))
                        Apply(guard, *now);
            });
        }
        return false;
    }
};

} // namespace

bool X11WindowExists(unsigned long window)
{
    Display* dpy = X11AppDisplay();
    XWindowAttributes attrs;
    return dpy && window != 0 && WindowExists(dpy, window, attrs);
}

std::optional<QRect> X11WindowFrameRect(unsigned long window)
{
    Display* dpy = X11AppDisplay();
    if (!dpy || window == 0)
        return std::nullopt;
    TX11ErrorTrap trap(dpy);
    XWindowAttributes attrs;
    if (!XGetWindowAttributes(dpy, window, &attrs) || trap.Failed())
        return std::nullopt;
    int x = 0, y = 0;
    Window child = 0;
    if (!XTranslateCoordinates(dpy, window, attrs.root, 0, 0, &x, &y, &child) || trap.Failed())
        return std::nullopt;
    QRect rect(x, y, attrs.width, attrs.height);

    // Left, right, top, bottom widths of the window manager's decoration.
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(dpy, window, AtomOf(dpy, "_NET_FRAME_EXTENTS"), 0, 4, False, XA_CARDINAL, &type, &format,
                           &count, &after, &data)
            == Success
        && data && type == XA_CARDINAL && format == 32 && count == 4) {
        const auto* e = reinterpret_cast<const long*>(data);
        rect.adjust(-int(e[0]), -int(e[2]), int(e[1]), int(e[3]));
    }
    if (data)
        XFree(data);
    return rect;
}

void KeepOffTaskbar(QWidget* window, bool on)
{
    if (!window || !window->isWindow())
        return;
    window->setProperty(SkipTaskbarProperty, on);
    if (const TTaskbarKeeper* keeper = TTaskbarKeeper::Instance())
        if (const std::optional<bool> wanted = keeper->Wanted(window))
            TTaskbarKeeper::Apply(window, *wanted);
}

void KeepAllOffTaskbar(bool on)
{
    TTaskbarKeeper* keeper = TTaskbarKeeper::Instance();
    if (!keeper)
        return;
    keeper->All = on;
    keeper->EverAll = keeper->EverAll || on;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            if (const std::optional<bool> wanted = keeper->Wanted(w))
                TTaskbarKeeper::Apply(w, *wanted);
}

bool X11SkipsTaskbar(unsigned long window)
{
    Display* dpy = X11AppDisplay();
    if (!dpy || window == 0)
        return false;
    const std::vector<Atom> atoms = ReadAtoms(dpy, window, AtomOf(dpy, "_NET_WM_STATE"));
    return std::find(atoms.begin(), atoms.end(), AtomOf(dpy, "_NET_WM_STATE_SKIP_TASKBAR")) != atoms.end();
}

} // namespace plat
