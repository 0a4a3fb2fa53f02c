#pragma once

class QDBusConnection;

namespace plat {

enum class TSessionEnd { LogOff, PowerOff, Reboot };

// Asks systemd-logind on `bus` (the system bus in the program) to end the
// user's session, power the machine off or restart it, without asking the
// user for a password. True when logind accepted the request; false when it
// refused or is not there, or the bus is not connected.
bool RequestSessionEnd(TSessionEnd what, const QDBusConnection& bus);

} // namespace plat
