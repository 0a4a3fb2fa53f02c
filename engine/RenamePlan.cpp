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

QString TRenamePlanner::Key(const QString& name) const
{
    return FCaseInsensitive ? name.toCaseFolded() : name;
}

void TRenamePlanner::SetFolder(const QStringList& folderNames, bool caseInsensitive, int maxNameBytes)
{
    FCaseInsensitive = caseInsensitive;
    FMaxNameBytes = maxNameBytes;
    FNames.clear();
    FNames.reserve(folderNames.size());
    for (const QString& n : folderNames)
        FNames.insert(Key(n), TSlot{true, -1, n});
}

std::vector<TPlanRow> TRenamePlanner::Plan(const QStringList& oldNames, const QStringList& newNames)
{
    const qsizetype n = std::min(oldNames.size(), newNames.size());
    std::vector<TPlanRow> plan(static_cast<std::size_t>(n));
    // The simulation edits the index in place; this log puts it back.
    struct TUndo {
        QString Key;
        bool Existed;
        TSlot Slot;
    };
    std::vector<TUndo> undo;
    auto remember = [&](const QString& key) {
        const auto it = FNames.constFind(key);
        undo.push_back(it == FNames.constEnd() ? TUndo{key, false, {}} : TUndo{key, true, *it});
    };

    for (qsizetype i = 0; i < n; ++i) {
        TPlanRow& row = plan[static_cast<std::size_t>(i)];
        const QString& from = oldNames[i];
        const QString& to = newNames[i];
        // A UTF-16 unit never takes more than three bytes on disk: most names
        // need no encoding to know they fit.
        const bool tooLong = to.size() * 3 > FMaxNameBytes && QFile::encodeName(to).size() > FMaxNameBytes;
        if (tooLong || !plat::IsValidFileName(to)) {
            row.Outcome = TPlanOutcome::InvalidName;
            continue;
        }
        if (to == from) {
            row.Outcome = TPlanOutcome::Unchanged;
            continue;
        }
        const QString toKey = Key(to);
        const QString fromKey = FCaseInsensitive ? Key(from) : from;
        const bool caseOnly = FCaseInsensitive && toKey == fromKey;
        if (!caseOnly) {
            const auto it = FNames.constFind(toKey);
            if (it != FNames.constEnd() && it->Present) {
                if (it->Row >= 0) {
                    row.Outcome = TPlanOutcome::Duplicate;
                    row.HolderRow = it->Row;
                } else {
                    row.Outcome = TPlanOutcome::TargetTaken;
                }
                row.Holder = it->Name;
                continue;
            }
        }
        row.Outcome = TPlanOutcome::Renamed;
        remember(fromKey);
        FNames[fromKey].Present = false;
        remember(toKey);
        FNames[toKey] = TSlot{true, int(i), to};
    }

    for (auto u = undo.rbegin(); u != undo.rend(); ++u) {
        if (u->Existed)
            FNames[u->Key] = u->Slot;
        else
            FNames.remove(u->Key);
    }
    return plan;
}

std::vector<TPlanRow> PlanRenames(const QStringList& oldNames, const QStringList& newNames,
                                  const QStringList& folderNames, bool caseInsensitive, int maxNameBytes)
{
    TRenamePlanner planner;
    planner.SetFolder(folderNames, caseInsensitive, maxNameBytes);
    return planner.Plan(oldNames, newNames);
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
