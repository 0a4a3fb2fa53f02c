#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <QtGui/qwindowdefs.h>

class QDBusConnection;

namespace qel {

// Windows virtual-key codes of the keys most often simulated; letters and
// digits are their upper-case ASCII codes ('A', '0').
enum : quint16 {
    VK_BACK = 0x08,
    VK_TAB = 0x09,
    VK_RETURN = 0x0D,
    VK_SHIFT = 0x10,
    VK_CONTROL = 0x11,
    VK_MENU = 0x12,
    VK_ESCAPE = 0x1B,
    VK_SPACE = 0x20,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    VK_DELETE = 0x2E,
    VK_F1 = 0x70,
};

// Flags of Shutdown, with their Windows values.
enum : unsigned {
    EWX_LOGOFF = 0x00,
    EWX_SHUTDOWN = 0x01,
    EWX_REBOOT = 0x02,
    EWX_FORCE = 0x04,
    EWX_POWEROFF = 0x08,
    EWX_FORCEIFHUNG = 0x10,
};

// The colour value meaning "no colour".
constexpr quint32 CLR_INVALID = 0xFFFFFFFF;

enum TImageFormat { ifBmp, ifJpeg };

// Simulated keyboard input through the X test extension: it reaches the
// window with the keyboard focus. Each returns the number of events injected
// (1 per event; 0 without X or for a code that names no key).
int VKeyDown(quint16 vk);
int VKeyUp(quint16 vk);
int VKeyPress(quint16 vk);                // down, 1 ms, up
int VKeyCombo(quint16 vk1, quint16 vk2);  // down 1, down 2, 1 ms, up 2, up 1

// The same sent straight to the X window `wnd`, whoever has the focus. True
// when the last event was sent; false for a window that does not exist.
bool VKeyDown(WId wnd, quint16 vk);
bool VKeyPress(WId wnd, quint16 vk);
bool VKeyCombo(WId wnd, quint16 vk1, quint16 vk2);

// Whether the key is held down now.
bool IsKeyDown(quint16 vk);

// The id of the first process, in ascending id order, whose executable file
// name is exactly `name` (letter case included); 0 when there is none.
quint32 GetProcessID(const QString& name);

// The screen pixel at (x, y) as 0x00BBGGRR; CLR_INVALID outside every screen.
quint32 GetPosColor(int x, int y);

// Asks the system to log off (EWX_LOGOFF), power off (EWX_SHUTDOWN,
// EWX_POWEROFF) or restart (EWX_REBOOT). True when the request was accepted;
// false when it was refused or there is no system bus.
bool Shutdown(unsigned flags);
// The same on the given bus, where systemd-logind is looked for.
bool Shutdown(unsigned flags, const QDBusConnection& bus);

// Loads the library, calls its "DllRegisterServer" (reg) or
// "DllUnregisterServer" entry and unloads it. True when the entry was found
// and called.
bool RegComServer(const QString& path, bool reg);

// Start-at-logon entries (XDG autostart, NAME.desktop whose Exec line is
// `value`). A name that is empty or holds "/" or ".." is refused: nothing is
// written and GetOnBootRun gives false. SetOnBootRun tells whether the entry
// now is as asked.
bool SetOnBootRun(QString name, QString value, bool on);
// True when the entry's command is exactly `value`; a missing entry counts as
// an empty command.
bool GetOnBootRun(QString name, QString value);

// Puts the text on the clipboard as plain text; false without a GUI.
bool CopyToClipboard(const QString& text);

// Screen capture. `bitmap` receives the picture; without a screen it is left
// empty and the result is false.
void ScreenSnapshot(QImage& bitmap, const QImage& canvas, const QRect& rect);
bool FullScreenSnapshot(QImage& bitmap);
// The screen area covered by the window's outer rectangle (frame included),
// overlapping windows and all; false for a window that does not exist.
bool WindowSnapshot(QImage& bitmap, WId wnd);
// Writes the bitmap as a JPEG file; raises Exception when it cannot.
void BmpToJpeg(const QImage& bitmap, const QString& file);
// Captures the whole screen into `file`, as JPEG for ifJpeg and as a bitmap
// file otherwise, whatever the file name's extension. False without a
// screen; raises Exception when the file cannot be written.
bool ScreenToFile(const QString& file, TImageFormat format);

} // namespace qel
