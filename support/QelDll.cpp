#include "support/QelDll.h"

#include <QFile>
#include <dlfcn.h>

namespace qel {

TDll::TDll(const QString& path)
{
    if (!path.isEmpty())
        FHandle = ::dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
}

TDll::~TDll()
{
    if (FHandle)
        ::dlclose(FHandle);
}

void* TDll::GetProcAddress(const QByteArray& name) const
{
    // dlsym on a null handle would search the whole process instead.
    if (!FHandle || name.isEmpty())
        return nullptr;
    return ::dlsym(FHandle, name.constData());
}

} // namespace qel
