#pragma once

#include <QString>

// Whether the windows can be shown. Qt aborts when it cannot reach a display;
// asking first lets the program say so in a sentence instead. Only the X11
// road is checked: another platform chosen through QT_QPA_PLATFORM, or a
// Wayland session, is left to Qt. `why` receives the reason on false.
bool DisplayAvailable(QString* why);
