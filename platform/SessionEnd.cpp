#include "platform/SessionEnd.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QVariant>

#include <unistd.h>

namespace plat {

namespace {

const QString LogindService = QStringLiteral("org.freedesktop.login1");
const QString ManagerPath = QStringLiteral("/org/freedesktop/login1");
const QString ManagerInterface = QStringLiteral("org.freedesktop.login1.Manager");
const QString SessionInterface = QStringLiteral("org.freedesktop.login1.Session");

QDBusMessage Call(const QDBusConnection& bus, const QDBusMessage& msg)
{
    return bus.call(msg, QDBus::Block);
}

bool LogOff(const QDBusConnection& bus)
{
    QDBusMessage find = QDBusMessage::createMethodCall(LogindService, ManagerPath, ManagerInterface,
                                                       QStringLiteral("GetSessionByPID"));
    find << static_cast<uint>(::getpid());
    const QDBusMessage found = Call(bus, find);
    if (found.type() != QDBusMessage::ReplyMessage || found.arguments().isEmpty())
        return false;
    const QString session = found.arguments().first().value<QDBusObjectPath>().path();
    if (session.isEmpty())
        return false;
    const QDBusMessage reply = Call(bus, QDBusMessage::createMethodCall(LogindService, session, SessionInterface,
                                                                        QStringLiteral("Terminate")));
    return reply.type() == QDBusMessage::ReplyMessage;
}

} // namespace

bool RequestSessionEnd(TSessionEnd what, const QDBusConnection& bus)
{
    if (!bus.isConnected())
        return false;
    if (what == TSessionEnd::LogOff)
        return LogOff(bus);
    QDBusMessage msg = QDBusMessage::createMethodCall(
        LogindService, ManagerPath, ManagerInterface,
        what == TSessionEnd::Reboot ? QStringLiteral("Reboot") : QStringLiteral("PowerOff"));
    msg << false;   // not interactive: no password prompt
    return Call(bus, msg).type() == QDBusMessage::ReplyMessage;
}

} // namespace plat
