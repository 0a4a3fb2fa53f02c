#pragma once

#include <QByteArray>
#include <QString>

namespace qel {

// Owns one dynamically loaded library for the object's lifetime.
class TDll {
public:
    using THandle = void*;

    // Loads `path` (a file name is searched the way the system searches);
    // the handle is null when loading fails.
    explicit TDll(const QString& path);
    ~TDll();
    TDll(const TDll&) = delete;
    TDll& operator=(const TDll&) = delete;

    operator THandle() const { return FHandle; }

    // Address of the exported symbol `name`, null when the library lacks it
    // or is not loaded.
    void* GetProcAddress(const QByteArray& name) const;

private:
    THandle FHandle = nullptr;
};

} // namespace qel
