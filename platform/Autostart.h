#pragma once

#include <QString>
#include <optional>

namespace plat {

// The per-user autostart folder: $XDG_CONFIG_HOME/autostart, or
// ~/.config/autostart when that variable is unset, empty or not absolute.
QString AutostartDir();

// Writes NAME.desktop starting `command` at logon (its Exec line), replacing
// an earlier entry of that name; creates the folder when needed. False for an
// invalid name or when the file cannot be written.
bool WriteAutostartEntry(const QString& name, const QString& command);

// Removes NAME.desktop. True when it is gone afterwards (also when there was
// none); false for an invalid name or when it cannot be removed.
bool RemoveAutostartEntry(const QString& name);

// The command of NAME.desktop: empty text when there is no such entry or it
// has no Exec line; nothing for an invalid name or when the folder cannot be
// created or the entry cannot be read.
std::optional<QString> ReadAutostartEntry(const QString& name);

} // namespace plat
