#include "platform/X11Keyboard.h"

#include "platform/X11Display.h"
#include "platform/X11Window.h"

#include <X11/XF86keysym.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <initializer_list>

namespace plat {

namespace {

struct TKeyRow {
    quint16 Vk;
    KeySym Sym;
    KeySym OtherSide;   // the right-hand twin of a plain modifier, or 0
};

// Codes that do not follow from a range rule below.
constexpr TKeyRow KeyTable[] = {
    {0x03, XK_Cancel, 0},
    {0x08, XK_BackSpace, 0},
    {0x09, XK_Tab, 0},
    {0x0C, XK_Clear, 0},
    {0x0D, XK_Return, 0},
    {0x10, XK_Shift_L, XK_Shift_R},
    {0x11, XK_Control_L, XK_Control_R},
    {0x12, XK_Alt_L, XK_Alt_R},
    {0x13, XK_Pause, 0},
    {0x14, XK_Caps_Lock, 0},
    {0x1B, XK_Escape, 0},
    {0x20, XK_space, 0},
    {0x21, XK_Prior, 0},
    {0x22, XK_Next, 0},
    {0x23, XK_End, 0},
    {0x24, XK_Home, 0},
    {0x25, XK_Left, 0},
    {0x26, XK_Up, 0},
    {0x27, XK_Right, 0},
    {0x28, XK_Down, 0},
    {0x29, XK_Select, 0},
    {0x2A, XK_Print, 0},
    {0x2B, XK_Execute, 0},
    {0x2C, XK_Print, 0},   // VK_SNAPSHOT: the Print Screen key
    {0x2D, XK_Insert, 0},
    {0x2E, XK_Delete, 0},
    {0x2F, XK_Help, 0},
    {0x5B, XK_Super_L, 0},
    {0x5C, XK_Super_R, 0},
    {0x5D, XK_Menu, 0},
    {0x5F, XF86XK_Sleep, 0},
    {0x6A, XK_KP_Multiply, 0},
    {0x6B, XK_KP_Add, 0},
    {0x6C, XK_KP_Separator, 0},
    {0x6D, XK_KP_Subtract, 0},
    {0x6E, XK_KP_Decimal, 0},
    {0x6F, XK_KP_Divide, 0},
    {0x90, XK_Num_Lock, 0},
    {0x91, XK_Scroll_Lock, 0},
    {0xA0, XK_Shift_L, 0},
    {0xA1, XK_Shift_R, 0},
    {0xA2, XK_Control_L, 0},
    {0xA3, XK_Control_R, 0},
    {0xA4, XK_Alt_L, 0},
    {0xA5, XK_Alt_R, 0},
    {0xA6, XF86XK_Back, 0},
    {0xA7, XF86XK_Forward, 0},
    {0xA8, XF86XK_Refresh, 0},
    {0xA9, XF86XK_Stop, 0},
    {0xAA, XF86XK_Search, 0},
    {0xAB, XF86XK_Favorites, 0},
    {0xAC, XF86XK_HomePage, 0},
    {0xAD, XF86XK_AudioMute, 0},
    {0xAE, XF86XK_AudioLowerVolume, 0},
    {0xAF, XF86XK_AudioRaiseVolume, 0},
    {0xB0, XF86XK_AudioNext, 0},
    {0xB1, XF86XK_AudioPrev, 0},
    {0xB2, XF86XK_AudioStop, 0},
    {0xB3, XF86XK_AudioPlay, 0},
    {0xB4, XF86XK_Mail, 0},
    {0xB5, XF86XK_AudioMedia, 0},
    {0xB6, XF86XK_Launch0, 0},
    {0xB7, XF86XK_Launch1, 0},
    {0xBA, XK_semicolon, 0},
    {0xBB, XK_equal, 0},
    {0xBC, XK_comma, 0},
    {0xBD, XK_minus, 0},
    {0xBE, XK_period, 0},
    {0xBF, XK_slash, 0},
    {0xC0, XK_grave, 0},
    {0xDB, XK_bracketleft, 0},
    {0xDC, XK_backslash, 0},
    {0xDD, XK_bracketright, 0},
    {0xDE, XK_apostrophe, 0},
    {0xE2, XK_less, 0},   // VK_OEM_102: the extra key beside left Shift
};

const TKeyRow* FindRow(quint16 vk)
{
    for (const TKeyRow& row : KeyTable)
        if (row.Vk == vk)
            return &row;
    return nullptr;
}

KeyCode KeycodeOf(Display* dpy, quint16 vk)
{
    const KeySym sym = VirtualKeyToKeysym(vk);
    return sym ? XKeysymToKeycode(dpy, sym) : 0;
}

bool KeycodeHeld(const char keys[32], KeyCode code)
{
    return code != 0 && (keys[code / 8] & (1 << (code % 8))) != 0;
}

} // namespace

unsigned long VirtualKeyToKeysym(quint16 vk)
{
    if (vk >= '0' && vk <= '9')
        return XK_0 + (vk - '0');
    if (vk >= 'A' && vk <= 'Z')
        return XK_a + (vk - 'A');
    if (vk >= 0x60 && vk <= 0x69)   // VK_NUMPAD0 .. VK_NUMPAD9
        return XK_KP_0 + (vk - 0x60);
    if (vk >= 0x70 && vk <= 0x87)   // VK_F1 .. VK_F24
        return XK_F1 + (vk - 0x70);
    const TKeyRow* row = FindRow(vk);
    return row ? row->Sym : 0;
}

int X11FakeKey(quint16 vk, bool down)
{
    Display* dpy = X11AppDisplay();
    if (!dpy)
        return 0;
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(dpy, &eventBase, &errorBase, &major, &minor))
        return 0;
    const KeyCode code = KeycodeOf(dpy, vk);
    if (code == 0)
        return 0;
    if (!XTestFakeKeyEvent(dpy, code, down ? True : False, CurrentTime))
        return 0;
    XFlush(dpy);
    return 1;
}

bool X11SendKey(unsigned long window, quint16 vk, bool down)
{
    Display* dpy = X11AppDisplay();
    if (!dpy || !X11WindowExists(window))
        return false;
    const KeyCode code = KeycodeOf(dpy, vk);
    if (code == 0)
        return false;

    XEvent ev {};
    XKeyEvent& key = ev.xkey;
    key.type = down ? KeyPress : KeyRelease;
    key.display = dpy;
    key.window = window;
    key.root = DefaultRootWindow(dpy);
    key.subwindow = None;
    key.time = CurrentTime;
    key.keycode = code;
    key.same_screen = True;

    TX11ErrorTrap trap(dpy);
    const Status sent = XSendEvent(dpy, window, True, down ? KeyPressMask : KeyReleaseMask, &ev);
    return sent != 0 && !trap.Failed();
}

bool X11IsKeyDown(quint16 vk)
{
    Display* dpy = X11AppDisplay();
    if (!dpy)
        return false;
    char keys[32] = {};
    XQueryKeymap(dpy, keys);
    const TKeyRow* row = FindRow(vk);
    const KeySym other = row ? row->OtherSide : 0;
    return KeycodeHeld(keys, KeycodeOf(dpy, vk)) || (other != 0 && KeycodeHeld(keys, XKeysymToKeycode(dpy, other)));
}

} // namespace plat
