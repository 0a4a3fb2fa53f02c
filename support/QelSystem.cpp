#include "support/QelSystem.h"

#include "support/QelDll.h"

#include "platform/Autostart.h"
#include "platform/Exception.h"
#include "platform/Processes.h"
#include "platform/SessionEnd.h"
#include "platform/X11Keyboard.h"
#include "platform/X11Window.h"

#include <QClipboard>
#include <QDBusConnection>
#include <QGuiApplication>
#include <QPixmap>
#include <QSaveFile>
#include <QScreen>

#include <optional>
#include <thread>

namespace qel {

namespace {

void Wait1ms()
{
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

QScreen* PrimaryScreen()
{
    return qGuiApp ? QGuiApplication::primaryScreen() : nullptr;
}

// A piece of the screen given in global coordinates.
QImage GrabScreenArea(QScreen* screen, const QRect& area)
{
    const QRect geo = screen->geometry();
    return screen->grabWindow(0, area.x() - geo.x(), area.y() - geo.y(), area.width(), area.height()).toImage();
}

void SaveImage(const QImage& image, const QString& file, const char* format)
{
    QSaveFile f(file);
    if (image.isNull() || !f.open(QIODevice::WriteOnly) || !image.save(&f, format) || !f.commit())
        throw Exception(QStringLiteral("无法写入文件 \"%1\"").arg(file));
}

} // namespace

int VKeyDown(quint16 vk)
{
    return plat::X11FakeKey(vk, true);
}

int VKeyUp(quint16 vk)
{
    return plat::X11FakeKey(vk, false);
}

int VKeyPress(quint16 vk)
{
    const int down = VKeyDown(vk);
    Wait1ms();
    return down + VKeyUp(vk);
}

int VKeyCombo(quint16 vk1, quint16 vk2)
{
    int n = VKeyDown(vk1);
    n += VKeyDown(vk2);
    Wait1ms();
    n += VKeyUp(vk2);
    n += VKeyUp(vk1);
    return n;
}

bool VKeyDown(WId wnd, quint16 vk)
{
    return plat::X11SendKey(wnd, vk, true);
}

bool VKeyPress(WId wnd, quint16 vk)
{
    plat::X11SendKey(wnd, vk, true);
    Wait1ms();
    return plat::X11SendKey(wnd, vk, false);
}

bool VKeyCombo(WId wnd, quint16 vk1, quint16 vk2)
{
    plat::X11SendKey(wnd, vk1, true);
    Wait1ms();
    plat::X11SendKey(wnd, vk2, true);
    Wait1ms();
    plat::X11SendKey(wnd, vk2, false);
    Wait1ms();
    return plat::X11SendKey(wnd, vk1, false);
}

bool IsKeyDown(quint16 vk)
{
    return plat::X11IsKeyDown(vk);
}

quint32 GetProcessID(const QString& name)
{
    if (name.isEmpty())
        return 0;
    for (const plat::TProcessEntry& p : plat::ListProcesses())
        if (p.ExeName == name)
            return p.Pid;
    return 0;
}

quint32 GetPosColor(int x, int y)
{
    if (!qGuiApp)
        return CLR_INVALID;
    QScreen* screen = QGuiApplication::screenAt(QPoint(x, y));
    if (!screen)
        return CLR_INVALID;
    const QImage pixel = GrabScreenArea(screen, QRect(x, y, 1, 1));
    if (pixel.isNull())
        return CLR_INVALID;
    const QRgb c = pixel.pixel(0, 0);
    return quint32(qRed(c)) | quint32(qGreen(c)) << 8 | quint32(qBlue(c)) << 16;
}

bool Shutdown(unsigned flags)
{
    return Shutdown(flags, QDBusConnection::systemBus());
}

bool Shutdown(unsigned flags, const QDBusConnection& bus)
{
    plat::TSessionEnd what = plat::TSessionEnd::LogOff;
    if (flags & EWX_REBOOT)
        what = plat::TSessionEnd::Reboot;
    else if (flags & (EWX_SHUTDOWN | EWX_POWEROFF))
        what = plat::TSessionEnd::PowerOff;
    return plat::RequestSessionEnd(what, bus);
}

bool RegComServer(const QString& path, bool reg)
{
    const TDll lib(path);
    using TEntry = long (*)();
    const auto entry = reinterpret_cast<TEntry>(lib.GetProcAddress(reg ? "DllRegisterServer" : "DllUnregisterServer"));
    if (entry)
        entry();
    return entry != nullptr;
}

bool SetOnBootRun(QString name, QString value, bool on)
{
    return on ? plat::WriteAutostartEntry(name, value) : plat::RemoveAutostartEntry(name);
}

bool GetOnBootRun(QString name, QString value)
{
    const std::optional<QString> command = plat::ReadAutostartEntry(name);
    return command && *command == value;
}

bool CopyToClipboard(const QString& text)
{
    if (!qGuiApp)
        return false;
    QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard);
    return true;
}

void ScreenSnapshot(QImage& bitmap, const QImage& canvas, const QRect& rect)
{
    if (canvas.isNull()) {
        bitmap = QImage(rect.size(), QImage::Format_RGB32);
        bitmap.fill(Qt::black);
        return;
    }
    // What lies outside the canvas comes out black.
    bitmap = canvas.copy(rect).convertToFormat(QImage::Format_RGB32);
}

bool FullScreenSnapshot(QImage& bitmap)
{
    QScreen* screen = PrimaryScreen();
    if (!screen)
        return false;
    const QImage canvas = screen->grabWindow(0).toImage();
    if (canvas.isNull())
        return false;
    ScreenSnapshot(bitmap, canvas, canvas.rect());
    return true;
}

bool WindowSnapshot(QImage& bitmap, WId wnd)
{
    QScreen* screen = PrimaryScreen();
    const std::optional<QRect> rect = plat::X11WindowFrameRect(wnd);
    if (!screen || !rect)
        return false;
    const QImage canvas = screen->grabWindow(0).toImage();
    if (canvas.isNull())
        return false;
    const QPoint origin = screen->geometry().topLeft();
    ScreenSnapshot(bitmap, canvas, rect->translated(-origin));
    return true;
}

void BmpToJpeg(const QImage& bitmap, const QString& file)
{
    SaveImage(bitmap, file, "JPG");
}

bool ScreenToFile(const QString& file, TImageFormat format)
{
    QImage bitmap;
    if (!FullScreenSnapshot(bitmap))
        return false;
    if (format == ifJpeg)
        BmpToJpeg(bitmap, file);
    else
        SaveImage(bitmap, file, "BMP");
    return true;
}

} // namespace qel
