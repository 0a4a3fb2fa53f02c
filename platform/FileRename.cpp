#include "platform/FileRename.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#ifndef FS_CASEFOLD_FL
#define FS_CASEFOLD_FL 0x40000000
#endif

namespace plat {

namespace {

struct TSplit {
    QByteArray Dir;    // "." when the path has no folder part
    QByteArray Name;
};

TSplit Split(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return {QByteArrayLiteral("."), path};
    return {slash == 0 ? QByteArrayLiteral("/") : path.left(slash), path.mid(slash + 1)};
}

// True when the folder holds an entry spelled exactly `name`, byte for byte.
bool HasExactEntry(const QByteArray& dir, const QByteArray& name)
{
    DIR* d = opendir(dir.constData());
    if (!d)
        return true;   // cannot tell: assume the worst
    bool found = false;
    while (dirent* e = readdir(d)) {
        if (name == e->d_name) {
            found = true;
            break;
        }
    }
    closedir(d);
    return found;
}

bool SameInode(const QByteArray& a, const QByteArray& b)
{
    struct stat sa {}, sb {};
    return lstat(a.constData(), &sa) == 0 && lstat(b.constData(), &sb) == 0 && sa.st_dev == sb.st_dev
           && sa.st_ino == sb.st_ino;
}

// The target name exists. It may still be the very same entry: the unchanged
// name, or another spelling of it on a case-insensitive file system.
int ResolveTaken(const QByteArray& from, const QByteArray& to)
{
    const TSplit f = Split(from), t = Split(to);
    if (!SameInode(from, to))
        return EEXIST;
    if (f.Name == t.Name) {
        struct stat sf {}, st {};
        stat(f.Dir.constData(), &sf);
        stat(t.Dir.constData(), &st);
        // Same folder, same name: rename(2) leaves such a file alone.
        if (sf.st_dev == st.st_dev && sf.st_ino == st.st_ino)
            return 0;
        return EEXIST;
    }
    // Two spellings, one inode: a hard link on a case-sensitive file system
    // has its own directory entry, a case variant on a case-insensitive one
    // does not.
    if (HasExactEntry(t.Dir, t.Name))
        return EEXIST;
    return ::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
}

int LinkThenUnlink(const QByteArray& from, const QByteArray& to)
{
    if (::link(from.constData(), to.constData()) != 0)
        return errno;
    if (::unlink(from.constData()) != 0) {
        const int err = errno;
        ::unlink(to.constData());
        return err;
    }
    return 0;
}

} // namespace

bool IsValidFileName(QStringView name)
{
    if (name.isEmpty() || name == u"." || name == u"..")
        return false;
    // One pass: the rename plan asks this for every row of every preview.
    for (const QChar c : name)
        if (c == u'/' || c.unicode() == 0)
            return false;
    return true;
}

namespace {
thread_local int tLastRenameError = 0;

int RenameNoReplaceImpl(const QString& from, const QString& to);
} // namespace

int LastRenameError()
{
    return tLastRenameError;
}

int RenameNoReplace(const QString& from, const QString& to)
{
    tLastRenameError = RenameNoReplaceImpl(from, to);
    return tLastRenameError;
}

namespace {

int RenameNoReplaceImpl(const QString& from, const QString& to)
{
    const qsizetype slash = to.lastIndexOf(u'/');
    if (!IsValidFileName(QStringView(to).mid(slash + 1)) || from.contains(QChar(0)) || from.isEmpty())
        return EINVAL;
    const QByteArray f = QFile::encodeName(from), t = QFile::encodeName(to);

    int err = 0;
    if (::renameat2(AT_FDCWD, f.constData(), AT_FDCWD, t.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    err = errno;
    if (err == EINVAL || err == ENOSYS || err == ENOTSUP) {
        // The file system does not know the flag: a hard link cannot replace
        // anything either. Where links are not possible we refuse rather
        // than risk a check-then-rename race.
        err = LinkThenUnlink(f, t);
        if (err == 0)
            return 0;
    }
    if (err == EEXIST)
        return ResolveTaken(f, t);
    return err;
}

} // namespace

QString ErrorText(int err)
{
    return QString::fromLocal8Bit(std::strerror(err));
}

namespace {

// The same file, symlinks followed.
bool SameFile(const QByteArray& a, const QByteArray& b)
{
    struct stat sa {}, sb {};
    return stat(a.constData(), &sa) == 0 && stat(b.constData(), &sb) == 0 && sa.st_dev == sb.st_dev
           && sa.st_ino == sb.st_ino;
}

} // namespace

bool IsCaseInsensitiveFolder(const QString& dir, const QStringList& folderNames)
{
    QString folder = dir;
    if (!folder.endsWith(u'/'))
        folder += u'/';
    for (const QString& name : folderNames) {
        const QString other = name.toUpper() != name ? name.toUpper() : name.toLower();
        if (other == name || other.size() != name.size())
            continue;
        if (folderNames.contains(other))
            return false;   // both spellings are separate entries
        return SameFile(QFile::encodeName(folder + name), QFile::encodeName(folder + other));
    }
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return false;
    int flags = 0;
    const bool folded = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 && (flags & FS_CASEFOLD_FL);
    ::close(fd);
    return folded;
}

int MaxNameBytes(const QString& dir)
{
    const long n = ::pathconf(QFile::encodeName(dir.isEmpty() ? QStringLiteral(".") : dir).constData(), _PC_NAME_MAX);
    return n > 0 && n < 65536 ? int(n) : 255;
}

} // namespace plat
