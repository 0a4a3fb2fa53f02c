#pragma once

#include <QtGlobal>

namespace plat {

// The X key symbol that stands for a Windows virtual-key code; 0 when the
// code names no key (mouse buttons, IME keys, unassigned codes). Letters map
// to the lower-case symbols and digits to the main row, so the key is hit
// without Shift.
unsigned long VirtualKeyToKeysym(quint16 vk);

// Presses or releases the key through the XTEST extension, as if typed on
// the keyboard: it reaches whichever window has the focus. Returns the
// number of events injected: 1, or 0 without an X display, without XTEST,
// or when the key is not on the keyboard map.
int X11FakeKey(quint16 vk, bool down);

// Sends one key event straight to the window `window`, whatever has the
// focus; the event carries no modifier state. False without an X display,
// for a window that does not exist, or for a key not on the keyboard map.
bool X11SendKey(unsigned long window, quint16 vk, bool down);

// Whether the key is held now (XQueryKeymap). The plain Shift, Control and
// Alt codes ask for either side's key. False without an X display.
bool X11IsKeyDown(quint16 vk);

} // namespace plat
