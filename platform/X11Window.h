#pragma once

#include <QRect>
#include <optional>

class QWidget;

namespace plat {

// Whether `window` names an existing window on the application's display.
bool X11WindowExists(unsigned long window);

// The window's outer rectangle on the screen, the window manager's frame
// included; nothing for a window that does not exist or without X.
std::optional<QRect> X11WindowFrameRect(unsigned long window);

// Keeps the top-level widget `window` off the taskbar and the pager, now and
// whenever it is shown again (on), or lets it back (off). Without X only the
// wish is recorded.
void KeepOffTaskbar(QWidget* window, bool on = true);

// Keeps every top-level window of the application off the taskbar, those
// shown now and all shown later (on), or stops doing so (off: the windows
// not kept off one by one come back).
void KeepAllOffTaskbar(bool on = true);

// Whether the window asks to be left off the taskbar (its _NET_WM_STATE).
bool X11SkipsTaskbar(unsigned long window);

} // namespace plat
