#include "engine/RenamePlan.h"

#include "platform/FileRename.h"

#include <QFile>

#include <cstring>

namespace {

// Four code units at a time, each block mixed by one multiplication: names
// are short, and a per-unit hash would cost more than the rest of a step.
std::uint64_t HashName(QStringView s)
{
    const char16_t* p = s.utf16();
    std::size_t n = std::size_t(s.size());
    std::uint64_t h = 0x9E3779B97F4A7C15ULL ^ n;
    const auto mix = [&h](std::uint64_t w) {
        h = (h ^ w) * 0xff51afd7ed558ccdULL;
        h ^= h >> 29;
    };
    for (; n >= 4; p += 4, n -= 4) {
        std::uint64_t w;
        std::memcpy(&w, p, sizeof w);
        mix(w);
    }
    if (n > 0) {
        // Built in a register: a short copy through memory would stall the
        // load that follows it.
        std::uint64_t w = 0;
        for (std::size_t k = 0; k < n; ++k)
            w |= std::uint64_t(p[k]) << (16 * k);
        mix(w);
    }
    h ^= h >> 32;
    h *= 0xc4ceb9fe1a85ec53ULL;
    h ^= h >> 33;
    return h;
}

constexpr int kOriginal = -1;   // the folder's own file still holds the name
constexpr int kGone = -2;       // that file was renamed away: the name is free

} // namespace

void TRenamePlanner::TFilter::Reset(std::size_t expected)
{
    int wordBits = 0;   // 2^wordBits words
    while ((std::size_t(1) << wordBits) * 8 < expected)
        ++wordBits;
    FWords.assign(std::size_t(1) << wordBits, 0);
    FShift = wordBits > 0 ? 64 - wordBits : 63;
    FMask = wordBits > 0 ? ~std::size_t(0) : 0;
}

void TRenamePlanner::TTable::Reset(std::size_t expected)
{
    std::size_t cap = 16;
    while (cap < expected * 2)
        cap *= 2;
    FSlots.assign(cap, TSlot{0, -1});
    FMask = cap - 1;
}

template <typename TKeyAt>
std::size_t TRenamePlanner::TTable::Probe(std::uint64_t hash, QStringView key, TKeyAt keyAt) const
{
    const auto h32 = std::uint32_t(hash >> 32);
    std::size_t i = hash & FMask;
    while (FSlots[i].Value >= 0 && !(FSlots[i].Hash == h32 && keyAt(FSlots[i].Value) == key))
        i = (i + 1) & FMask;
    return i;
}

template <typename TKeyAt>
int TRenamePlanner::TTable::Find(std::uint64_t hash, QStringView key, TKeyAt keyAt) const
{
    return FSlots[Probe(hash, key, keyAt)].Value;
}

void TRenamePlanner::TTable::Insert(std::uint64_t hash, int value)
{
    std::size_t i = hash & FMask;
    while (FSlots[i].Value >= 0)
        i = (i + 1) & FMask;
    FSlots[i] = TSlot{std::uint32_t(hash >> 32), value};
}

template <typename TKeyAt>
int TRenamePlanner::TTable::FindOrInsert(std::uint64_t hash, QStringView key, TKeyAt keyAt, int value)
{
    TSlot& slot = FSlots[Probe(hash, key, keyAt)];
    if (slot.Value >= 0)
        return slot.Value;
    slot = TSlot{std::uint32_t(hash >> 32), value};
    return -1;
}

int TRenamePlanner::FindInFolder(std::uint64_t hash, QStringView key) const
{
    // The filter turns most names away without touching the slots, which
    // for a large folder lie far outside the cache.
    if (!FFolderFilter.MayHold(hash))
        return -1;
    return FTable.Find(hash, key, [this](int v) { return FolderKey(v); });
}

int TRenamePlanner::Enter(const QString& name, QString folded, std::uint64_t hash)
{
    const QStringView key = FCaseInsensitive ? QStringView(folded) : QStringView(name);
    const int found = FindInFolder(hash, key);
    if (found >= 0)
        return found;
    const int id = int(FHashes.size());
    FFolderNames << name;
    if (FCaseInsensitive)
        FFolded.push_back(std::move(folded));
    FHashes.push_back(hash);
    FFolderFilter.Add(hash);
    FTable.Insert(hash, id);
    return id;
}

void TRenamePlanner::SetFolder(const QStringList& folderNames, const QStringList& rowNames, bool caseInsensitive,
                               int maxNameBytes)
{
    FCaseInsensitive = caseInsensitive;
    FMaxNameBytes = maxNameBytes;
    FFolderNames.clear();
    FFolded.clear();
    FHashes.clear();
    const std::size_t expected = std::size_t(folderNames.size() + rowNames.size());
    FFolderNames.reserve(qsizetype(expected));
    FHashes.reserve(expected);
    FFolderFilter.Reset(expected);
    FTable.Reset(expected);
    const auto folded = [this](const QString& name) { return FCaseInsensitive ? name.toCaseFolded() : QString(); };
    const auto hash = [this](const QString& name, const QString& folded) {
        return HashName(FCaseInsensitive ? QStringView(folded) : QStringView(name));
    };
    // The rows first: their entries then lie in row order, and a pass walks
    // through them front to back instead of all over the folder.
    FRowIds.clear();
    FRowIds.reserve(std::size_t(rowNames.size()));
    for (const QString& name : rowNames) {
        QString f = folded(name);
        const std::uint64_t h = hash(name, f);
        FRowIds.push_back(Enter(name, std::move(f), h));
    }
    // Then the rest of the folder. Most of its names are the rows' own,
    // found in the table in the folder's order: the table's memory is asked
    // for ahead, from hashes worked out beforehand.
    std::vector<QString> keys(FCaseInsensitive ? std::size_t(folderNames.size()) : 0);
    std::vector<std::uint64_t> hashes(std::size_t(folderNames.size()));
    for (std::size_t k = 0; k < hashes.size(); ++k) {
        const QString& name = folderNames[qsizetype(k)];
        if (FCaseInsensitive)
            keys[k] = folded(name);
        hashes[k] = hash(name, FCaseInsensitive ? keys[k] : QString());
    }
    constexpr std::size_t kAhead = 16;
    for (std::size_t k = 0; k < hashes.size(); ++k) {
        if (k + kAhead < hashes.size()) {
            FFolderFilter.Prefetch(hashes[k + kAhead]);
            FTable.Prefetch(hashes[k + kAhead]);
        }
        Enter(folderNames[qsizetype(k)], FCaseInsensitive ? std::move(keys[k]) : QString(), hashes[k]);
    }
    // The rows' names are nearly always the folder's own: sized for both,
    // the table would be twice as large as it needs, and slower to ask.
    if (FHashes.size() * 2 <= expected) {
        FTable.Reset(FHashes.size());
        for (std::size_t id = 0; id < FHashes.size(); ++id)
            FTable.Insert(FHashes[id], int(id));
    }
}

void TRenamePlanner::Begin(const QStringList& newNames)
{
    FNewNames = &newNames;
    FNewFolded.clear();
    if (FCaseInsensitive)
        FNewFolded.resize(FRowIds.size());
    FPending.clear();
    FPending.reserve(FRowIds.size());
    FPass.Rows.clear();
    FPass.Rows.reserve(FRowIds.size());
    FPass.Counts = TPlanCounts();
    FPass.FolderNames = FFolderNames;
    FPass.MaxNameBytes = FMaxNameBytes;
}

void TRenamePlanner::Step()
{
    const std::size_t i = FPass.Rows.size();
    if (!FNewNames || i >= FRowIds.size() || qsizetype(i) >= FNewNames->size())
        return;
    const QString& to = (*FNewNames)[qsizetype(i)];
    TPlanRow& row = FPass.Rows.emplace_back();
    QStringView key = to;
    if (FCaseInsensitive) {
        FNewFolded[i] = to.toCaseFolded();
        key = FNewFolded[i];
    }
    // A UTF-16 unit never takes more than three bytes on disk: most names
    // need no encoding to know they fit.
    if (!plat::IsValidFileName(to)
        || (to.size() * 3 > FMaxNameBytes && QFile::encodeName(to).size() > FMaxNameBytes)) {
        row.Outcome = TPlanOutcome::InvalidName;
        ++FPass.Counts.Refused;
        return;
    }
    const std::uint64_t h = HashName(key);
    // The row's own name is compared only when the hashes agree: most old
    // names are never touched again.
    const int self = FRowIds[i];
    if (h == FHashes[std::size_t(self)] && to == FFolderNames[self]) {
        row.Outcome = TPlanOutcome::Unchanged;
        ++FPass.Counts.Unchanged;
        return;
    }
    FPending.push_back(TPending{h, int(i), kNew});
}

void TRenamePlanner::FindEarlierTakers(std::size_t doubtful)
{
    // Only names that share a hash with a doubtful one can be taken twice:
    // they alone are entered in an exact table, in row order, which stays
    // small unless many rows are given one name.
    FDoubts.Reset(doubtful);
    for (const TPending& p : FPending)
        if (p.Found == kDoubtful)
            FDoubts.Add(p.Hash);
    std::size_t entered = 0;
    for (const TPending& p : FPending)
        entered += p.Found < 0 && FDoubts.MayHold(p.Hash);
    FFresh.Reset(entered);
    for (TPending& p : FPending) {
        if (p.Found >= 0 || !FDoubts.MayHold(p.Hash))
            continue;
        const QStringView key = NewKey(p.Row);
        p.Earlier = FFresh.FindOrInsert(p.Hash, key, [this](int r) { return NewKey(r); }, p.Row);
    }
}

void TRenamePlanner::Simulate()
{
    FHolder.assign(FHashes.size(), kOriginal);
    for (const TPending& p : FPending) {
        TPlanRow& row = FPass.Rows[std::size_t(p.Row)];
        const int self = FRowIds[std::size_t(p.Row)];
        const int id = p.Found;
        if (id >= 0) {
            const int by = FHolder[std::size_t(id)];
            // On a case-insensitive folder a change of case finds the row's own name.
            if (by != kGone && id != self) {
                row.Outcome = by >= 0 ? TPlanOutcome::Duplicate : TPlanOutcome::TargetTaken;
                row.Holder = by >= 0 ? by : id;
                ++FPass.Counts.Refused;
                continue;
            }
            FHolder[std::size_t(self)] = kGone;   // first: the row's own name may be the one it takes
            FHolder[std::size_t(id)] = p.Row;
        } else if (p.Earlier >= 0) {
            row.Outcome = TPlanOutcome::Duplicate;
            row.Holder = p.Earlier;
            ++FPass.Counts.Refused;
            continue;
        } else {
            FHolder[std::size_t(self)] = kGone;
        }
        ++FPass.Counts.Renamed;
    }
}

TRenamePlan TRenamePlanner::Finish()
{
    if (FNewNames) {
        // Which names the folder has, and which new names no earlier row can
        // have taken: for most rows one word of a filter that holds the
        // folder's names and the new names as they come.
        FSeen = FFolderFilter;
        std::size_t doubtful = 0;
        // The memory a row will need is asked for this many rows ahead: a
        // chain of taken names otherwise waits on the folder's table row
        // after row.
        constexpr std::size_t kAhead = 16;
        for (std::size_t k = 0; k < FPending.size(); ++k) {
            TPending& p = FPending[k];
            if (k + kAhead < FPending.size()) {
                FSeen.Prefetch(FPending[k + kAhead].Hash);
                FTable.Prefetch(FPending[k + kAhead].Hash);
            }
            if (!FSeen.Seen(p.Hash))
                continue;   // kNew
            p.Found = FindInFolder(p.Hash, NewKey(p.Row));
            if (p.Found < 0) {
                p.Found = kDoubtful;
                ++doubtful;
            }
        }
        if (doubtful > 0)
            FindEarlierTakers(doubtful);
        Simulate();
    }
    TRenamePlan plan = std::move(FPass);
    FPass = TRenamePlan();
    FNewNames = nullptr;
    return plan;
}

TRenamePlan TRenamePlanner::Plan(const QStringList& newNames)
{
    Begin(newNames);
    for (qsizetype i = 0; i < newNames.size(); ++i)
        Step();
    return Finish();
}

TRenamePlan PlanRenames(const QStringList& oldNames, const QStringList& newNames, const QStringList& folderNames,
                        bool caseInsensitive, int maxNameBytes)
{
    TRenamePlanner planner;
    planner.SetFolder(folderNames, oldNames, caseInsensitive, maxNameBytes);
    return planner.Plan(newNames);
}
