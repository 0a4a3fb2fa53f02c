#pragma once

// Xlib's display type, declared here so that callers need not pull in the
// Xlib headers and their macros (None, Bool, KeyPress...).
typedef struct _XDisplay Display;

namespace plat {

// The X display the application's windows live on; null when the
// application does not run on X (offscreen, Wayland) or has no GUI at all.
// Everything that talks to X goes through this one connection, so nothing
// ever reaches a display the application itself is not shown on.
Display* X11AppDisplay();

// Catches the X errors of the requests made while it lives (Qt's own handler
// would swallow them unseen). Pending requests are flushed on both ends so
// that each error is charged to the right trap. GUI thread only; traps do not
// nest.
class TX11ErrorTrap {
public:
    explicit TX11ErrorTrap(Display* display);
    ~TX11ErrorTrap();
    TX11ErrorTrap(const TX11ErrorTrap&) = delete;
    TX11ErrorTrap& operator=(const TX11ErrorTrap&) = delete;

    // Waits for the server and tells whether any request since the trap was
    // set failed.
    bool Failed();

private:
    Display* FDisplay;
};

} // namespace plat
