#include "engine/RenameJournal.h"

#include "common/TestUtil.h"
#include "engine/Renamefile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using testutil::MakeFile;
using testutil::NamesIn;
using testutil::ReadAll;

namespace {

struct Journal : testutil::TFolderTest {
    TRenameFiles set;
    TRenameJournal journal;

    // Numbers the files as an apply pass does and records what was renamed.
    void Apply(const QStringList& newBases)
    {
        set.LoadFiles(d, QStringLiteral("/*.*"));
        for (int i = 0; i < set.GetCount(); ++i) {
            TRenameFile* f = set.GetItem(i);
            bool failed = false;
            f->NewBaseName(newBases.value(i), true, failed);
            if (!failed)
                journal.Add(f->FullName, f->NewFullName);
        }
    }
};

TEST_F(Journal, UndoRestoresAChainNewestFirst)
{
    for (const char* n : {"2.txt", "3.txt", "4.txt"})
        MakeFile(d, QString::fromUtf8(n), n);
    Apply({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
    ASSERT_EQ(NamesIn(d), (QStringList{"1.txt", "2.txt", "3.txt"}));
    EXPECT_EQ(journal.Count(), 3);

    EXPECT_TRUE(journal.Undo().empty());
    EXPECT_TRUE(journal.IsEmpty());
    EXPECT_EQ(NamesIn(d), (QStringList{"2.txt", "3.txt", "4.txt"}));
    EXPECT_EQ(ReadAll(d + "/4.txt"), "4.txt");
}

TEST_F(Journal, UndoNeverOverwritesAFileThatAppearedMeanwhile)
{
    MakeFile(d, QStringLiteral("a.txt"), "A");
    MakeFile(d, QStringLiteral("b.txt"), "B");
    Apply({QStringLiteral("x"), QStringLiteral("y")});
    MakeFile(d, QStringLiteral("a.txt"), "newcomer");

    const auto failures = journal.Undo();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].Name, QStringLiteral("x.txt"));
    EXPECT_FALSE(failures[0].Reason.isEmpty());
    EXPECT_EQ(ReadAll(d + "/a.txt"), "newcomer");
    EXPECT_EQ(ReadAll(d + "/x.txt"), "A");
    EXPECT_EQ(ReadAll(d + "/b.txt"), "B");
}

TEST_F(Journal, UnchangedNamesAreNotRecorded)
{
    MakeFile(d, QStringLiteral("a.txt"));
    Apply({QStringLiteral("a")});
    EXPECT_TRUE(journal.IsEmpty());
}

} // namespace
