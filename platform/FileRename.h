#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace plat {

// A name that can stand for a file of its own inside a folder: not empty,
// not "." or "..", and holding neither "/" nor NUL.
bool IsValidFileName(QStringView name);

// Renames the file or folder `from` to `to` without ever replacing an existing
// entry, also when another process creates `to` meanwhile. A change of letter
// case on a case-insensitive file system succeeds; so does a rename onto the
// unchanged name. The last path component of `to` must be a valid file name.
// Returns 0, or the errno value of the refusal (EEXIST when the target is taken).
int RenameNoReplace(const QString& from, const QString& to);

// The result of this thread's last RenameNoReplace call (0 or an errno value),
// for callers that only learn of a refusal through a flag.
int LastRenameError();

// The system's text for an errno value.
QString ErrorText(int err);

// Whether names in `dir` are compared without regard to case. Tells from the
// folder's own files where one has a letter (its other-case spelling resolves
// to the same file and no entry is spelled that way), otherwise from the
// folder's case-folding flag. Writes nothing.
bool IsCaseInsensitiveFolder(const QString& dir, const QStringList& folderNames);

// The longest file name, in bytes, that the file system of `dir` takes.
int MaxNameBytes(const QString& dir);

} // namespace plat
