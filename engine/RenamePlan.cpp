#include "engine/RenamePlan.h"

#include "platform/FileRename.h"

#include <QFile>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#ifndef FS_CASEFOLD_FL
#define FS_CASEFOLD_FL 0x40000000
#endif

namespace {

// FNV-1a over the code units with a final mix: several times cheaper than the
// general-purpose string hash, and plenty for names.
std::size_t HashName(QStringView s)
{
    quint64 h = 0xcbf29ce484222325ULL;
    for (const QChar c : s) {
        h ^= c.unicode();
        h *= 0x100000001b3ULL;
    }
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    return std::size_t(h);
}

} // namespace

QString TRenamePlanner::Key(const QString& name) const
{
    return FCaseInsensitive ? name.toCaseFolded() : name;
}

void TRenamePlanner::TTable::Reset(std::size_t expected)
{
    std::size_t cap = 16;
    while (cap < expected * 2)
        cap *= 2;
    FSlots.assign(cap, TSlot{0, -1});
    FMask = cap - 1;
    int bits = 9;   // the filter holds 2^bits bits, at least eight per entry
    while ((std::size_t(1) << bits) < expected * 8)
        ++bits;
    FFilter.assign((std::size_t(1) << bits) / 64, 0);
    FFilterShift = 64 - bits;
}

template <typename TKeyAt>
int TRenamePlanner::TTable::Find(std::size_t hash, QStringView key, TKeyAt keyAt) const
{
    if (!MayHold(hash))
        return -1;
    const auto h32 = quint32(hash);
    for (std::size_t i = hash & FMask;; i = (i + 1) & FMask) {
        const TSlot& slot = FSlots[i];
        if (slot.Value < 0)
            return -1;
        if (slot.Hash == h32 && keyAt(slot.Value) == key)
            return slot.Value;
    }
}

void TRenamePlanner::TTable::Insert(std::size_t hash, int value)
{
    std::size_t i = hash & FMask;
    while (FSlots[i].Value >= 0)
        i = (i + 1) & FMask;
    FSlots[i] = TSlot{quint32(hash), value};
    const std::size_t bit = std::size_t(quint64(hash) * 0x9E3779B97F4A7C15ULL >> FFilterShift);
    FFilter[bit / 64] |= quint64(1) << (bit % 64);
}

void TRenamePlanner::SetFolder(const QStringList& folderNames, const QStringList& rowNames, bool caseInsensitive,
                               int maxNameBytes)
{
    FCaseInsensitive = caseInsensitive;
    FMaxNameBytes = maxNameBytes;
    FFolderNames = folderNames;
    FKeys.clear();
    FKeys.reserve(std::size_t(folderNames.size() + rowNames.size()));
    FTable.Reset(std::size_t(folderNames.size() + rowNames.size()));
    auto keyAt = [this](int v) { return QStringView(FKeys[std::size_t(v)]); };
    auto add = [&](const QString& name) {
        const QString key = Key(name);
        const std::size_t h = HashName(key);
        int id = FTable.Find(h, key, keyAt);
        if (id < 0) {
            id = int(FKeys.size());
            FKeys.push_back(key);
            if (id >= FFolderNames.size())
                FFolderNames << name;
            FTable.Insert(h, id);
        }
        return id;
    };
    for (const QString& n : folderNames)
        add(n);
    FRowIds.clear();
    FRowIds.reserve(std::size_t(rowNames.size()));
    for (const QString& n : rowNames)
        FRowIds.push_back(add(n));
}

std::vector<TPlanRow> TRenamePlanner::Plan(const QStringList& newNames) const
{
    const std::size_t rows = std::min(FRowIds.size(), std::size_t(newNames.size()));
    std::vector<TPlanRow> plan(rows);
    // Names of the folder: still there, and which row put them there (-1: the
    // original file). Names new to the folder live in their own table.
    // For each name of the folder: kOriginal while its own file holds it,
    // kGone once that file was renamed away, else the row that took it.
    constexpr int kOriginal = -1, kGone = -2;
    std::vector<int> holder(FKeys.size(), kOriginal);
    TTable fresh;
    fresh.Reset(rows);
    std::vector<QString> freshKeys;
    if (FCaseInsensitive)
        freshKeys.resize(rows);
    auto folderKey = [this](int v) { return QStringView(FKeys[std::size_t(v)]); };
    auto freshKey = [&](int row) {
        return FCaseInsensitive ? QStringView(freshKeys[std::size_t(row)]) : QStringView(newNames[row]);
    };

    for (std::size_t i = 0; i < rows; ++i) {
        TPlanRow& row = plan[i];
        const int self = FRowIds[i];
        const QString& to = newNames[qsizetype(i)];
        // A UTF-16 unit never takes more than three bytes on disk: most names
        // need no encoding to know they fit.
        const bool tooLong = to.size() * 3 > FMaxNameBytes && QFile::encodeName(to).size() > FMaxNameBytes;
        if (tooLong || !plat::IsValidFileName(to)) {
            row.Outcome = TPlanOutcome::InvalidName;
            continue;
        }
        if (to == FFolderNames[self]) {
            row.Outcome = TPlanOutcome::Unchanged;
            continue;
        }
        const QString key = Key(to);
        const std::size_t h = HashName(key);
        const int id = FTable.Find(h, key, folderKey);
        if (id >= 0) {
            const int by = holder[std::size_t(id)];
            // On a case-insensitive folder a change of case finds the row's own name.
            if (by != kGone && id != self) {
                row.Outcome = by >= 0 ? TPlanOutcome::Duplicate : TPlanOutcome::TargetTaken;
                row.HolderRow = by;
                row.Holder = by >= 0 ? newNames[by] : FFolderNames[id];
                continue;
            }
            holder[std::size_t(self)] = kGone;
            holder[std::size_t(id)] = int(i);
        } else {
            const int by = fresh.Find(h, key, freshKey);
            if (by >= 0) {
                row.Outcome = TPlanOutcome::Duplicate;
                row.HolderRow = by;
                row.Holder = newNames[by];
                continue;
            }
            if (FCaseInsensitive)
                freshKeys[i] = key;
            fresh.Insert(h, int(i));
            holder[std::size_t(self)] = kGone;
        }
        row.Outcome = TPlanOutcome::Renamed;
    }
    return plan;
}

std::vector<TPlanRow> PlanRenames(const QStringList& oldNames, const QStringList& newNames,
                                  const QStringList& folderNames, bool caseInsensitive, int maxNameBytes)
{
    TRenamePlanner planner;
    planner.SetFolder(folderNames, oldNames, caseInsensitive, maxNameBytes);
    return planner.Plan(newNames);
}

TPlanCounts CountPlan(const std::vector<TPlanRow>& plan)
{
    TPlanCounts c;
    for (const TPlanRow& r : plan) {
        if (r.Outcome == TPlanOutcome::Renamed)
            ++c.Renamed;
        else if (r.Outcome == TPlanOutcome::Unchanged)
            ++c.Unchanged;
        else
            ++c.Refused;
    }
    return c;
}

namespace {

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
