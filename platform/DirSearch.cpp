#include "platform/DirSearch.h"

#include <QFile>

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <numeric>
#include <sys/stat.h>
#include <unistd.h>

namespace plat {

namespace {

inline char16_t Up(char16_t c)
{
    return c < 0x80 ? char16_t(c >= 'a' && c <= 'z' ? c - 32 : c) : char16_t(QChar::toUpper(c));
}

QString UpperUnits(QStringView s)
{
    QString out(s.size(), Qt::Uninitialized);
    char16_t* d = reinterpret_cast<char16_t*>(out.data());
    const char16_t* p = reinterpret_cast<const char16_t*>(s.data());
    for (qsizetype i = 0; i < s.size(); ++i)
        d[i] = Up(p[i]);
    return out;
}

// Plain "*"/"?" matcher over upper-cased code units, backtracking to the last
// star only (linear for the usual masks).
bool MatchUpper(QStringView m, QStringView n)
{
    qsizetype mi = 0, ni = 0, starM = -1, starN = 0;
    while (ni < n.size()) {
        if (mi < m.size() && m[mi] == u'*') {
            starM = mi++;
            starN = ni;
        } else if (mi < m.size() && (m[mi] == u'?' || Up(m[mi].unicode()) == Up(n[ni].unicode()))) {
            // "?" takes a whole surrogate pair: it stands for one character.
            if (m[mi] == u'?' && n[ni].isHighSurrogate() && ni + 1 < n.size() && n[ni + 1].isLowSurrogate())
                ++ni;
            ++mi;
            ++ni;
        } else if (starM >= 0) {
            mi = starM + 1;
            ni = ++starN;
        } else {
            return false;
        }
    }
    while (mi < m.size() && m[mi] == u'*')
        ++mi;
    return mi == m.size();
}

bool IsMatchAll(QStringView mask)
{
    return mask == u"*" || mask == u"*.*";
}

unsigned AttrOf(int dirFd, const char* name, unsigned char type, bool wantSize, qint64& size)
{
    unsigned attr = 0;
    if (name[0] == '.')
        attr |= faHidden;
    bool isDir = type == DT_DIR;
    bool isReg = type == DT_REG;
    size = 0;
    if (wantSize || type == DT_LNK || type == DT_UNKNOWN) {
        struct stat st {};
        if (fstatat(dirFd, name, &st, 0) == 0) {
            isDir = S_ISDIR(st.st_mode);
            isReg = S_ISREG(st.st_mode);
            if (isReg)
                size = st.st_size;
        } else {
            isDir = isReg = false;   // a dangling link: nothing to open or rename safely
        }
    }
    if (isDir)
        attr |= faDirectory;
    else if (!isReg)
        attr |= faSysFile;
    if (attr == 0)
        attr = faNormal;
    return attr;
}

} // namespace

bool WildcardMatch(QStringView mask, QStringView name)
{
    if (IsMatchAll(mask))
        return true;
    if (MatchUpper(mask, name))
        return true;
    // "name.*" also finds "name" itself.
    if (mask.endsWith(u".*"))
        return MatchUpper(mask.chopped(2), name);
    return false;
}

bool NtfsLess(QStringView a, QStringView b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t ua = Up(a[i].unicode()), ub = Up(b[i].unicode());
        if (ua != ub)
            return ua < ub;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return QStringView(a).compare(b, Qt::CaseSensitive) < 0;
}

std::vector<TDirEntry> FindEntries(const QString& dir, const QString& mask, bool wantSize)
{
    std::vector<TDirEntry> found;
    const QByteArray path = dir.isEmpty() ? QByteArray(".") : QFile::encodeName(dir);
    DIR* d = opendir(path.constData());
    if (!d)
        return found;
    const int fd = dirfd(d);
    const bool all = IsMatchAll(mask);
    const QString upperMask = UpperUnits(mask);
    std::vector<QString> keys;
    while (dirent* e = readdir(d)) {
        QString name = QFile::decodeName(e->d_name);
        QString key = UpperUnits(name);
        if (!all && !WildcardMatch(upperMask, key))
            continue;
        TDirEntry entry;
        entry.Attr = AttrOf(fd, e->d_name, e->d_type, wantSize, entry.Size);
        entry.Name = std::move(name);
        found.push_back(std::move(entry));
        keys.push_back(std::move(key));
    }
    closedir(d);

    std::vector<std::size_t> order(found.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) {
        const int c = QStringView(keys[x]).compare(QStringView(keys[y]), Qt::CaseSensitive);
        if (c != 0)
            return c < 0;
        return QStringView(found[x].Name).compare(QStringView(found[y].Name), Qt::CaseSensitive) < 0;
    });
    std::vector<TDirEntry> sorted;
    sorted.reserve(found.size());
    for (std::size_t i : order)
        sorted.push_back(std::move(found[i]));
    return sorted;
}

} // namespace plat
