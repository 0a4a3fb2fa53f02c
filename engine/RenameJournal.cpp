#include "engine/RenameJournal.h"

#include "platform/FileRename.h"

namespace {

QString NameOf(const QString& path)
{
    return path.mid(path.lastIndexOf(u'/') + 1);
}

} // namespace

void TRenameJournal::Add(const QString& from, const QString& to)
{
    if (from != to)
        FRecords.push_back({from, to});
}

std::vector<TRenameJournal::TFailure> TRenameJournal::Undo()
{
    std::vector<TFailure> failures;
    for (auto r = FRecords.rbegin(); r != FRecords.rend(); ++r) {
        const int err = plat::RenameNoReplace(r->To, r->From);
        if (err != 0)
            failures.push_back({NameOf(r->To), plat::ErrorText(err), err});
    }
    FRecords.clear();
    return failures;
}
