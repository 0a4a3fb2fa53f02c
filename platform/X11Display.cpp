#include "platform/X11Display.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <X11/Xlib.h>

namespace plat {

namespace {

// Only the GUI thread talks to X, so one flag is enough.
bool TrapFired = false;
XErrorHandler OldHandler = nullptr;

int TrapHandler(Display*, XErrorEvent*)
{
    TrapFired = true;
    return 0;
}

} // namespace

Display* X11AppDisplay()
{
    if (!qGuiApp)
        return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->display() : nullptr;
}

TX11ErrorTrap::TX11ErrorTrap(Display* display) : FDisplay(display)
{
    XSync(FDisplay, False);
    TrapFired = false;
    OldHandler = XSetErrorHandler(TrapHandler);
}

TX11ErrorTrap::~TX11ErrorTrap()
{
    XSync(FDisplay, False);
    XSetErrorHandler(OldHandler);
    OldHandler = nullptr;
}

bool TX11ErrorTrap::Failed()
{
    XSync(FDisplay, False);
    return TrapFired;
}

} // namespace plat
