#include "platform/DirSearch.h"

#include <QFile>

#include <algorithm>
#include <cstring>
#include <string>
#include <dirent.h>
#include <fcntl.h>
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

// Plain "*"/"?" matcher over code units already upper-cased, backtracking to
// the last star only (linear for the usual masks).
bool MatchUpper(QStringView m, QStringView n)
{
    qsizetype mi = 0, ni = 0, starM = -1, starN = 0;
    while (ni < n.size()) {
        if (mi < m.size() && m[mi] == u'*') {
            starM = mi++;
            starN = ni;
        } else if (mi < m.size() && (m[mi] == u'?' || m[mi] == n[ni])) {
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

// Both sides already upper-cased. "name.*" also finds "name" itself.
bool MatchKey(QStringView mask, QStringView key)
{
    return MatchUpper(mask, key) || (mask.endsWith(u".*") && MatchUpper(mask.chopped(2), key));
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

// "" is the working folder.
DIR* OpenFolder(const QString& dir)
{
    return opendir(dir.isEmpty() ? "." : QFile::encodeName(dir).constData());
}

// Appends an entry's name as the program spells it: most names are ASCII
// and need no decoding.
void AppendName(QString& to, const char* name)
{
    const std::size_t len = std::strlen(name);
    if (std::all_of(name, name + len, [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        to.append(QLatin1StringView(name, qsizetype(len)));
    else
        to.append(QFile::decodeName(QByteArray::fromRawData(name, qsizetype(len))));
}

} // namespace

QStringList ListNames(const QString& dir)
{
    QStringList names;
    DIR* d = OpenFolder(dir);
    if (!d)
        return names;
    while (dirent* e = readdir(d)) {
        if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0)
            continue;
        QString name;
        AppendName(name, e->d_name);
        names.append(std::move(name));
    }
    closedir(d);
    return names;
}

bool WildcardMatch(QStringView mask, QStringView name)
{
    if (IsMatchAll(mask))
        return true;
    return MatchKey(UpperUnits(mask), UpperUnits(name));
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

TDirListing FindEntries(const QString& dir, const QString& mask, bool wantSize)
{
    TDirListing found;
    DIR* d = OpenFolder(dir);
    if (!d)
        return found;
    const int fd = dirfd(d);
    const bool all = IsMatchAll(mask);
    const QString upperMask = UpperUnits(mask);
    // Upper-cased copies of the names, laid out like found.Names: the sort key.
    std::u16string keys;
    // A folder's own size tells roughly how many names it holds.
    struct stat dirStat {};
    if (fstat(fd, &dirStat) == 0 && dirStat.st_size > 0) {
        const auto guess = std::min<qint64>(dirStat.st_size, qint64(8) << 20);
        found.Names.reserve(qsizetype(guess / 2));
        keys.reserve(std::size_t(guess / 2));
        found.Items.reserve(std::size_t(guess / 32));
    }
    while (dirent* e = readdir(d)) {
        const qsizetype at = found.Names.size();
        AppendName(found.Names, e->d_name);
        const qsizetype n = found.Names.size() - at;
        const char16_t* name = reinterpret_cast<const char16_t*>(found.Names.constData()) + at;
        const std::size_t keyAt = keys.size();
        keys.resize(keyAt + std::size_t(n));
        for (qsizetype i = 0; i < n; ++i)
            keys[keyAt + std::size_t(i)] = Up(name[i]);
        if (!all && !MatchKey(upperMask, QStringView(keys.data() + keyAt, n))) {
            found.Names.truncate(at);
            keys.resize(keyAt);
            continue;
        }
        TDirListing::TItem item;
        item.Offset = at;
        item.Length = n;
        item.Attr = AttrOf(fd, e->d_name, e->d_type, wantSize, item.Size);
        found.Items.push_back(item);
    }
    closedir(d);

    // Sort on a packed copy of each key's first twelve code units first, so
    // that most comparisons never leave the array being sorted. Names hold
    // no NUL, so padding a short key with zeros keeps it first.
    constexpr int kHeads = 3;
    constexpr qsizetype kHeadUnits = 4 * kHeads;
    struct TSortItem {
        quint64 Head[kHeads];
        std::size_t Index;
    };
    std::vector<TSortItem> order(found.Items.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        const TDirListing::TItem& it = found.Items[i];
        TSortItem& o = order[i];
        o = TSortItem{{0, 0, 0}, i};
        const qsizetype n = std::min(it.Length, kHeadUnits);
        for (qsizetype u = 0; u < n; ++u)
            o.Head[u / 4] |= quint64(keys[std::size_t(it.Offset + u)]) << (48 - 16 * (u % 4));
    }
    const char16_t* k = keys.data();
    const char16_t* names = reinterpret_cast<const char16_t*>(found.Names.constData());
    const std::vector<TDirListing::TItem>& items = found.Items;
    std::sort(order.begin(), order.end(), [&](const TSortItem& x, const TSortItem& y) {
        for (int h = 0; h < kHeads; ++h)
            if (x.Head[h] != y.Head[h])
                return x.Head[h] < y.Head[h];
        const TDirListing::TItem& p = items[x.Index];
        const TDirListing::TItem& q = items[y.Index];
        const qsizetype n = std::min(p.Length, q.Length);
        const char16_t* a = k + p.Offset;
        const char16_t* b = k + q.Offset;
        for (qsizetype i = kHeadUnits; i < n; ++i)
            if (a[i] != b[i])
                return a[i] < b[i];
        if (p.Length != q.Length)
            return p.Length < q.Length;
        // Equal keys: the exact units decide, from the start.
        a = names + p.Offset;
        b = names + q.Offset;
        for (qsizetype i = 0; i < n; ++i)
            if (a[i] != b[i])
                return a[i] < b[i];
        return false;
    });
    std::vector<TDirListing::TItem> sorted;
    sorted.reserve(order.size());
    for (const TSortItem& o : order)
        sorted.push_back(items[o.Index]);
    found.Items = std::move(sorted);
    return found;
}

} // namespace plat
