#include "platform/FileRename.h"

#include "common/TestUtil.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <unistd.h>

using testutil::MakeFile;
using testutil::NamesIn;
using testutil::ReadAll;

namespace {

struct FileRename : testutil::TFolderTest {
    void SetUp() override
    {
        TFolderTest::SetUp();
        d += u'/';
    }
};

TEST_F(FileRename, RenamesIntoAFreeName)
{
    MakeFile(d, QStringLiteral("a.txt"), "A");
    EXPECT_EQ(plat::RenameNoReplace(d + "a.txt", d + "b.txt"), 0);
    EXPECT_EQ(NamesIn(d), QStringList{QStringLiteral("b.txt")});
    EXPECT_EQ(ReadAll(d + "b.txt"), "A");
}

TEST_F(FileRename, NeverReplacesAFileOrAFolder)
{
    MakeFile(d, QStringLiteral("a.txt"), "A");
    MakeFile(d, QStringLiteral("b.txt"), "B");
    QDir(d).mkdir(QStringLiteral("c"));
    EXPECT_EQ(plat::RenameNoReplace(d + "a.txt", d + "b.txt"), EEXIST);
    EXPECT_EQ(plat::RenameNoReplace(d + "a.txt", d + "c"), EEXIST);
    EXPECT_EQ(ReadAll(d + "a.txt"), "A");
    EXPECT_EQ(ReadAll(d + "b.txt"), "B");
    EXPECT_TRUE(QDir(d + "c").exists());
}

TEST_F(FileRename, HardLinksAreTwoNamesOnACaseSensitiveFileSystem)
{
    MakeFile(d, QStringLiteral("a.txt"), "A");
    ASSERT_EQ(link((d + "a.txt").toLocal8Bit().constData(), (d + "b.txt").toLocal8Bit().constData()), 0);
    EXPECT_EQ(plat::RenameNoReplace(d + "a.txt", d + "b.txt"), EEXIST);
    EXPECT_EQ(NamesIn(d), (QStringList{QStringLiteral("a.txt"), QStringLiteral("b.txt")}));
}

TEST_F(FileRename, UnchangedNameSucceedsAndChangesNothing)
{
    MakeFile(d, QStringLiteral("a.txt"), "A");
    EXPECT_EQ(plat::RenameNoReplace(d + "a.txt", d + "a.txt"), 0);
    // The same file reached through a doubled separator is still itself.
    EXPECT_EQ(plat::RenameNoReplace(d + "a.txt", d + "/a.txt"), 0);
    EXPECT_EQ(NamesIn(d), QStringList{QStringLiteral("a.txt")});
    EXPECT_EQ(plat::RenameNoReplace(d + "gone.txt", d + "gone.txt"), ENOENT);
}

TEST_F(FileRename, CaseChangeOnACaseSensitiveFileSystemIsAPlainRename)
{
    MakeFile(d, QStringLiteral("photo.JPG"), "P");
    EXPECT_EQ(plat::RenameNoReplace(d + "photo.JPG", d + "photo.jpg"), 0);
    EXPECT_EQ(NamesIn(d), QStringList{QStringLiteral("photo.jpg")});
}

TEST_F(FileRename, RefusesNamesThatWouldMoveOrLoseTheFile)
{
    MakeFile(d, QStringLiteral("a.txt"), "A");
    QDir(d).mkdir(QStringLiteral("sub"));
    for (const QString& bad : {QString(), QStringLiteral("."), QStringLiteral(".."), QStringLiteral("x") + QChar(0)})
        EXPECT_NE(plat::RenameNoReplace(d + "a.txt", d + bad), 0) << bad.toStdString();
    EXPECT_FALSE(plat::IsValidFileName(u"sub/a.txt"));
    EXPECT_TRUE(plat::IsValidFileName(u".profile"));
    EXPECT_TRUE(plat::IsValidFileName(u"..."));
    EXPECT_EQ(NamesIn(d), (QStringList{QStringLiteral("a.txt"), QStringLiteral("sub")}));
    EXPECT_TRUE(NamesIn(d + "sub").isEmpty());
}

TEST_F(FileRename, MissingSourceIsRefused)
{
    EXPECT_EQ(plat::RenameNoReplace(d + "none", d + "other"), ENOENT);
    EXPECT_FALSE(plat::ErrorText(ENOENT).isEmpty());
}

// A case-insensitive folder needs ext4 with casefold (or vfat), which an
// ordinary test machine cannot mount; the rule is checked where one exists.
TEST(FileRenameCaseInsensitive, CaseOnlyChange)
{
    const QByteArray where = qgetenv("RALVINOR_CASEFOLD_DIR");
    if (where.isEmpty())
        GTEST_SKIP() << "no case-insensitive folder (set RALVINOR_CASEFOLD_DIR to one)";
    const QString d = QString::fromLocal8Bit(where) + u'/';
    MakeFile(d, QStringLiteral("ralvinor-case.JPG"), "P");
    MakeFile(d, QStringLiteral("ralvinor-other.txt"), "O");
    EXPECT_EQ(plat::RenameNoReplace(d + "ralvinor-case.JPG", d + "ralvinor-case.jpg"), 0);
    EXPECT_TRUE(NamesIn(d).contains(QStringLiteral("ralvinor-case.jpg")));
    EXPECT_EQ(plat::RenameNoReplace(d + "ralvinor-case.jpg", d + "RALVINOR-OTHER.TXT"), EEXIST);
    QFile::remove(d + "ralvinor-case.jpg");
    QFile::remove(d + "ralvinor-other.txt");
}

} // namespace
