#include "ui/DisplayCheck.h"

#include <X11/Xlib.h>

#include <cstdlib>

bool DisplayAvailable(QString* why)
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith("xcb"))
        return true;
    if (platform.isEmpty() && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return true;
    const QByteArray name = qgetenv("DISPLAY");
    if (name.isEmpty()) {
        *why = QStringLiteral("no display: the DISPLAY environment variable is not set");
        return false;
    }
    Display* display = XOpenDisplay(name.constData());
    if (!display) {
        *why = QStringLiteral("cannot open the X display \"%1\"").arg(QString::fromLocal8Bit(name));
        return false;
    }
    XCloseDisplay(display);
    return true;
}
