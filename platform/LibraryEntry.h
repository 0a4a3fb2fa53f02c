#pragma once

#include <QString>

namespace plat {

// Loads the shared library `path`, calls its exported entry `entry` (a
// function without arguments; its result is ignored) and unloads it again.
// False, with nothing left loaded, when the library does not load or has no
// such entry.
bool CallLibraryEntry(const QString& path, const char* entry);

} // namespace plat
