#include "platform/LibraryEntry.h"

#include <QFile>

#include <dlfcn.h>

namespace plat {

bool CallLibraryEntry(const QString& path, const char* entry)
{
    if (path.isEmpty())
        return false;
    void* lib = ::dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!lib)
        return false;
    using TEntry = long (*)();
    auto fn = reinterpret_cast<TEntry>(::dlsym(lib, entry));
    if (fn)
        fn();
    ::dlclose(lib);
    return fn != nullptr;
}

} // namespace plat
