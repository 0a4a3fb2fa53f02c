#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>
#include <vector>

// What the apply pass will do to one row, predicted before it runs.
enum class TPlanOutcome : std::uint8_t {
    Renamed,
    Unchanged,     // the new name is the old one
    TargetTaken,   // a file that is still there at that moment holds the name
    Duplicate,     // an earlier row takes the name first
    InvalidName,   // empty, ".", "..", holding "/" or NUL, or too long
};

struct TPlanRow {
    TPlanOutcome Outcome = TPlanOutcome::Renamed;
    // TargetTaken: the entry in the way, an index into the plan's
    // FolderNames; Duplicate: the earlier row that took the name.
    int Holder = -1;
    bool Refused() const
    {
        return Outcome == TPlanOutcome::TargetTaken || Outcome == TPlanOutcome::Duplicate
               || Outcome == TPlanOutcome::InvalidName;
    }
};

struct TPlanCounts {
    int Renamed = 0;
    int Unchanged = 0;
    int Refused = 0;
};

// One predicted pass: an outcome per row, in list order, and what the
// outcomes refer to.
struct TRenamePlan {
    std::vector<TPlanRow> Rows;
    QStringList FolderNames;   // every name of the folder, as spelled there
    TPlanCounts Counts;
    int MaxNameBytes = 255;    // the folder's limit, in bytes

    // The name of the entry in the way of a TargetTaken row, else "".
    QString HolderName(const TPlanRow& row) const
    {
        return row.Outcome == TPlanOutcome::TargetTaken ? FolderNames.value(row.Holder) : QString();
    }
};

// Predicts, row by row and in list order, what renaming oldNames[i] to
// newNames[i] inside one folder does: each step sees the folder as the steps
// before it left it, exactly as the apply pass does (renames never replace a
// file). `folderNames` are all names in the folder, files of any kind, hidden
// ones and subfolders included. On a case-insensitive folder names that differ
// only in case are one name, and a change of case alone is a rename.
// `maxNameBytes` is the longest name the file system takes, in bytes.
TRenamePlan PlanRenames(const QStringList& oldNames, const QStringList& newNames, const QStringList& folderNames,
                        bool caseInsensitive, int maxNameBytes = 255);

// The same prediction for repeated previews of one loaded folder: the folder's
// names and the rows' current names are indexed once per load, so that a
// plan costs little more than one hash probe per row. A pass is planned row
// by row as the preview names them (Begin, Step for each row, Finish), or
// all at once (Plan). The planner keeps its working memory from one pass to
// the next.
class TRenamePlanner {
public:
    // `rowNames` are the current names of the rows, in list order; each is
    // one of `folderNames`.
    void SetFolder(const QStringList& folderNames, const QStringList& rowNames, bool caseInsensitive,
                   int maxNameBytes = 255);

    // Starts a pass over the folder as it was loaded. `newNames` is the list
    // the pass fills in: each row's new name must be in place when its step
    // comes, and stay as it is until Finish. The planner reads the names
    // from there and keeps no copies.
    void Begin(const QStringList& newNames);
    // Plans the next row. Steps past the last row, or past the end of the
    // list, are ignored.
    void Step();
    // The outcome of every row stepped since Begin.
    TRenamePlan Finish();

    TRenamePlan Plan(const QStringList& newNames);

private:
    // A blocked filter, three bits of one 64-bit word per hash and at least
    // eight bits per entry: it says for sure when a name was never added.
    class TFilter {
    public:
        void Reset(std::size_t expected);
        bool MayHold(std::uint64_t hash) const { return (FWords[Word(hash)] & Bits(hash)) == Bits(hash); }
        void Add(std::uint64_t hash) { FWords[Word(hash)] |= Bits(hash); }
        void Prefetch(std::uint64_t hash) const { __builtin_prefetch(&FWords[Word(hash)]); }
        // Adds `hash`; whether it may have been added before.
        bool Seen(std::uint64_t hash)
        {
            const bool seen = MayHold(hash);
            Add(hash);
            return seen;
        }

    private:
        static std::uint64_t Bits(std::uint64_t hash)
        {
            return std::uint64_t(1) << (hash & 63) | std::uint64_t(1) << (hash >> 6 & 63)
                   | std::uint64_t(1) << (hash >> 12 & 63);
        }
        std::size_t Word(std::uint64_t hash) const { return std::size_t(hash >> FShift) & FMask; }
        std::vector<std::uint64_t> FWords;
        int FShift = 63;
        std::size_t FMask = 0;
    };

    // Open addressing over precomputed hashes; values are indexes into the
    // caller's list of keys.
    class TTable {
    public:
        void Reset(std::size_t expected);
        template <typename TKeyAt>
        int Find(std::uint64_t hash, QStringView key, TKeyAt keyAt) const;
        void Insert(std::uint64_t hash, int value);
        // The value under `key`, or -1 after entering `value` under it.
        template <typename TKeyAt>
        int FindOrInsert(std::uint64_t hash, QStringView key, TKeyAt keyAt, int value);
        void Prefetch(std::uint64_t hash) const { __builtin_prefetch(&FSlots[hash & FMask]); }

    private:
        struct TSlot {
            std::uint32_t Hash;
            int Value;   // -1: free
        };
        // The slot holding `key`, or the free slot where its search ends.
        template <typename TKeyAt>
        std::size_t Probe(std::uint64_t hash, QStringView key, TKeyAt keyAt) const;
        std::vector<TSlot> FSlots;   // one cache line answers most probes
        std::size_t FMask = 0;
    };

    // The text a name is compared by: itself, or its case folding.
    QStringView FolderKey(int id) const
    {
        return FCaseInsensitive ? QStringView(FFolded[std::size_t(id)]) : QStringView(FFolderNames[id]);
    }
    QStringView NewKey(int row) const
    {
        return FCaseInsensitive ? QStringView(FNewFolded[std::size_t(row)]) : QStringView((*FNewNames)[row]);
    }
    int FindInFolder(std::uint64_t hash, QStringView key) const;
    // The entry of `name` (`folded` on a case-insensitive folder), added if new.
    int Enter(const QString& name, QString folded, std::uint64_t hash);
    void FindEarlierTakers(std::size_t doubtful);
    void Simulate();

    QStringList FFolderNames;
    std::vector<QString> FFolded;          // case-insensitive folders: FFolderNames folded
    std::vector<std::uint64_t> FHashes;    // per folder name, its key's hash
    TFilter FFolderFilter;                 // the folder's names, room left for as many new ones
    TTable FTable;                         // the folder's names
    std::vector<int> FRowIds;              // row -> index into FFolderNames
    bool FCaseInsensitive = false;
    int FMaxNameBytes = 255;

    // The pass under way. Steps check and hash the names while the preview
    // still has them at hand; Finish asks the folder for all of them in a
    // few tight loops, where the processor overlaps the cache misses of many
    // rows instead of waiting for each between the preview's own work.
    static constexpr int kNew = -1;        // new to the folder, the first row to take it
    static constexpr int kDoubtful = -2;   // new to the folder, perhaps taken by an earlier row
    struct TPending {
        std::uint64_t Hash;
        int Row;
        int Found;          // the folder's entry of that name, or kNew, kDoubtful
        int Earlier = -1;   // kDoubtful: the earlier row that takes the name first
    };
    const QStringList* FNewNames = nullptr;
    std::vector<QString> FNewFolded;       // case-insensitive folders: the new names folded
    std::vector<TPending> FPending;        // rows whose outcome the folder decides
    std::vector<int> FHolder;              // per folder name: who holds it now
    TFilter FSeen;                         // the folder's names and the new names so far
    TFilter FDoubts;                       // the doubtful new names
    TTable FFresh;                         // new names that may be taken twice -> the first row
    TRenamePlan FPass;
};
