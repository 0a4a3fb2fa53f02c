#pragma once

#include <QString>

#include <vector>

// The renames of the last apply pass, kept in memory so that they can be
// taken back. Nothing is written anywhere.
class TRenameJournal {
public:
    struct TFailure {
        QString Name;     // the file's current name
        QString Reason;   // the system's text
        int Error = 0;    // the system's error number
    };

    // Records that `from` is now called `to` (full paths); a rename onto the
    // unchanged name is not recorded.
    void Add(const QString& from, const QString& to);
    void Clear() { FRecords.clear(); }
    bool IsEmpty() const { return FRecords.empty(); }
    int Count() const { return static_cast<int>(FRecords.size()); }

    // Renames every recorded file back, the newest first, never over an
    // existing file. Returns what could not be restored; the journal is
    // empty afterwards.
    std::vector<TFailure> Undo();

private:
    struct TRecord {
        QString From;
        QString To;
    };
    std::vector<TRecord> FRecords;
};
