#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <QStringView>

#include <vector>

// What the apply pass will do to one row, predicted before it runs.
enum class TPlanOutcome {
    Renamed,
    Unchanged,     // the new name is the old one
    TargetTaken,   // a file that is still there at that moment holds the name
    Duplicate,     // an earlier row takes the name first
    InvalidName,   // empty, ".", "..", holding "/" or NUL, or too long
};

struct TPlanRow {
    TPlanOutcome Outcome = TPlanOutcome::Renamed;
    QString Holder;        // TargetTaken: the name of the file in the way
    int HolderRow = -1;    // Duplicate: the earlier row that took the name
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

// Predicts, row by row and in list order, what renaming oldNames[i] to
// newNames[i] inside one folder does: each step sees the folder as the steps
// before it left it, exactly as the apply pass does (renames never replace a
// file). `folderNames` are all names in the folder, files of any kind, hidden
// ones and subfolders included. On a case-insensitive folder names that differ
// only in case are one name, and a change of case alone is a rename.
// `maxNameBytes` is the longest name the file system takes, in bytes.
std::vector<TPlanRow> PlanRenames(const QStringList& oldNames, const QStringList& newNames,
                                  const QStringList& folderNames, bool caseInsensitive, int maxNameBytes = 255);

TPlanCounts CountPlan(const std::vector<TPlanRow>& plan);

// The same prediction for repeated previews of one loaded folder: the folder's
// names and the rows' current names are indexed once per load, so that a
// plan costs little more than one hash probe per row.
class TRenamePlanner {
public:
    // `rowNames` are the current names of the rows, in list order; each is
    // one of `folderNames`.
    void SetFolder(const QStringList& folderNames, const QStringList& rowNames, bool caseInsensitive,
                   int maxNameBytes = 255);
    std::vector<TPlanRow> Plan(const QStringList& newNames) const;

private:
    // Open addressing over precomputed hashes; values are indexes into the
    // caller's list of keys.
    class TTable {
    public:
        void Reset(std::size_t expected);
        template <typename TKeyAt>
        int Find(std::size_t hash, QStringView key, TKeyAt keyAt) const;
        void Insert(std::size_t hash, int value);

    private:
        // One bit per hash, eight bits per entry: most names that are not
        // in the table are turned away without touching the slots, which
        // for a large folder lie far outside the cache.
        bool MayHold(std::size_t hash) const
        {
            const std::size_t bit = std::size_t(quint64(hash) * 0x9E3779B97F4A7C15ULL >> FFilterShift);
            return FFilter[bit / 64] >> (bit % 64) & 1;
        }
        std::vector<quint64> FFilter;
        int FFilterShift = 64;

        struct TSlot {
            quint32 Hash;
            int Value;   // -1: free
        };
        std::vector<TSlot> FSlots;   // one cache line answers most probes
        std::size_t FMask = 0;
    };

    QString Key(const QString& name) const;

    QStringList FFolderNames;
    std::vector<QString> FKeys;   // FFolderNames as compared
    TTable FTable;
    std::vector<int> FRowIds;     // row -> index into FFolderNames
    bool FCaseInsensitive = false;
    int FMaxNameBytes = 255;
};

// Whether names in `dir` are compared without regard to case. Tells from the
// folder's own files where one has a letter (its other-case spelling resolves
// to the same file and no entry is spelled that way), otherwise from the
// folder's case-folding flag. Writes nothing.
bool IsCaseInsensitiveFolder(const QString& dir, const QStringList& folderNames);

// The longest file name, in bytes, that the file system of `dir` takes.
int MaxNameBytes(const QString& dir);
