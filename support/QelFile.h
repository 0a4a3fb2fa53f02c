#pragma once

#include "platform/StringList.h"

#include <QString>
#include <functional>

class QDropEvent;
class QMimeData;

namespace qel {

// Appends to `list` the paths that `pattern` (a folder path, "/" and a
// wildcard) finds in that one folder, in NTFS order. Entries that are hidden,
// system entries or folders are skipped unless `attr` holds their bit
// (2, 4, 16). Nothing is appended when the folder cannot be read.
void GetFileList(TStrings* list, const QString& pattern, int attr);

// The running executable's folder, ending in "/".
QString GetAppPath();

// Size of the first entry that `fileName` (a path, maybe with a wildcard)
// finds, folders included (their size is 0); -1 when nothing is found.
qint64 GetFileSize(const QString& fileName);

// Reads the file into a new char array stored in `buf` (the caller frees it
// with delete[]). A negative `size` means the whole file. Returns 0 and leaves
// `buf` alone when the file does not exist; returns the bytes read, or -1 when
// reading fails. A file too large for an int buffer, or one that cannot be
// measured, returns -1 without allocating anything.
int LoadFileToBuf(QString fileName, char*& buf, int size);

// Opens a file, a folder or a web address the way the desktop does; a program
// is started with `params` in `dir`. The outcome is not reported.
void ShellOpen(const QString& file, const QString& params, const QString& dir);

// Lets the user pick a folder in a folder dialog (folders only, no button
// for making one) with `caption` as its title. Returns the folder's
// path, or "" when the user cancels.
QString OpenDirDlg(const QString& caption);

// A files-dropped message: the data a drop event carried.
struct TMessage {
    const QMimeData* Data = nullptr;
    TMessage() = default;
    explicit TMessage(const QMimeData* data) : Data(data) {}
    explicit TMessage(const QDropEvent& event);
};

// The first dropped path, or "" when the first dropped item is no local file.
QString GetDragFileName(const TMessage& msg);

// Test seam: while set, ShellOpen hands its arguments to `handler` instead of
// the desktop. Returns the handler that was set before.
using TShellOpenHandler = std::function<void(const QString& file, const QString& params, const QString& dir)>;
TShellOpenHandler SetShellOpenHandler(TShellOpenHandler handler);

} // namespace qel
