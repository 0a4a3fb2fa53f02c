#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

namespace plat {

// Windows attribute bits, which the support library's search filter speaks.
enum : unsigned {
    faReadOnly = 1,
    faHidden = 2,
    faSysFile = 4,
    faVolumeId = 8,
    faDirectory = 16,
    faArchive = 32,
    faNormal = 128,
    faAnyFile = 511,
};

// The entries of one folder, their names kept back to back in one string so
// that a folder of 100,000 files costs a handful of allocations.
struct TDirListing {
    struct TItem {
        qsizetype Offset = 0;
        qsizetype Length = 0;
        unsigned Attr = 0;   // faHidden / faSysFile / faDirectory, or faNormal
        qint64 Size = 0;     // only filled when asked for; 0 for folders
    };
    QString Names;
    std::vector<TItem> Items;   // in NTFS order

    std::size_t Count() const { return Items.size(); }
    QStringView Name(std::size_t i) const { return QStringView(Names).mid(Items[i].Offset, Items[i].Length); }
};

// Lists the one folder `dir` ("" means the working folder) and keeps the
// entries whose name matches the Windows-style wildcard `mask`. On Linux a
// name starting with "." is hidden ("." and ".." included), anything that is
// neither a regular file nor a folder (after following a symlink) is a system
// entry. The result is in the order NTFS gives (see NtfsLess). An unreadable
// or missing folder yields nothing.
TDirListing FindEntries(const QString& dir, const QString& mask, bool wantSize = false);

// Every name in the one folder `dir` but "." and "..", hidden ones and
// subfolders included, in the order the file system gives them: cheaper than
// FindEntries where only the names matter. An unreadable folder yields none.
QStringList ListNames(const QString& dir);

// "*" any run, "?" one character, letters without regard to case; "*.*"
// matches every name and a trailing ".*" may match nothing, as on Windows.
bool WildcardMatch(QStringView mask, QStringView name);

// NTFS order: ordinal comparison after upper-casing each UTF-16 code unit,
// ties broken by the exact code units.
bool NtfsLess(QStringView a, QStringView b);

} // namespace plat
