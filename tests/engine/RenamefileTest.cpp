#include "engine/Renamefile.h"

#include "common/TestUtil.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

using testutil::MakeFile;
using testutil::NamesIn;
using testutil::ReadAll;

namespace {

TRenameFile Entry(const QString& path)
{
    TRenameFile f;
    f.SetFullName(path);
    return f;
}

TEST(RenameFileSplit, Table)
{
    const struct {
        const char* path;
        const char* dir;
        const char* base;
        const char* ext;
        const char* name;
    } cases[] = {
        {"/photos/IMG_001.JPG", "/photos/", "IMG_001", ".JPG", "IMG_001.JPG"},
        {"/docs/archive.tar.gz", "/docs/", "archive.tar", ".gz", "archive.tar.gz"},
        {"/docs/README", "/docs/", "README", "", "README"},
        {"/docs/.profile", "/docs/", "", ".profile", ".profile"},
        {"/my.dir/file", "/my.dir/", "file", "", "file"},
        {"/root.txt", "//", "root", ".txt", "root.txt"},     // the root keeps its "/", then one more
        {"//doubled.txt", "///", "doubled", ".txt", "doubled.txt"},
        {"/a//b.c", "/a///", "b", ".c", "b.c"},   // repeated separators are carried along
        {"/docs/trailing.", "/docs/", "trailing", ".", "trailing."},
        {"bare.txt", "./", "bare", ".txt", "bare.txt"},
    };
    for (const auto& c : cases) {
        const TRenameFile f = Entry(QString::fromUtf8(c.path));
        EXPECT_EQ(f.FullName, QString::fromUtf8(c.path));
        EXPECT_TRUE(f.NewFullName.isEmpty());
        EXPECT_EQ(f.Dir, QString::fromUtf8(c.dir)) << c.path;
        EXPECT_EQ(f.BaseName, QString::fromUtf8(c.base)) << c.path;
        EXPECT_EQ(f.ExtName, QString::fromUtf8(c.ext)) << c.path;
        EXPECT_EQ(f.GetFileName(), QString::fromUtf8(c.name)) << c.path;
    }
}

using TOp = std::function<QString(TRenameFile&, bool rename, bool& failed)>;

struct TExample {
    const char* file;
    const char* what;
    TOp op;
    const char* expected;
    bool skipsRename = false;   // the name is returned at once, nothing is attempted
};

QString S(const char* s)
{
    return QString::fromUtf8(s);
}

const TExample kExamples[] = {
    {"my photo.JPG", "BaseNameUpper", [](TRenameFile& f, bool r, bool& x) { return f.BaseNameUpper(r, x); }, "MY PHOTO.JPG"},
    {"My Photo.JPG", "BaseNameLower", [](TRenameFile& f, bool r, bool& x) { return f.BaseNameLower(r, x); }, "my photo.JPG"},
    {"my photo.jpg", "BaseNameFirstUpper", [](TRenameFile& f, bool r, bool& x) { return f.BaseNameFirstUpper(r, x); }, "My photo.jpg"},
    {"2011_report.txt", "BaseNameFirstUpper", [](TRenameFile& f, bool r, bool& x) { return f.BaseNameFirstUpper(r, x); }, "2011_Report.txt"},
    {"中文abc.txt", "BaseNameFirstUpper", [](TRenameFile& f, bool r, bool& x) { return f.BaseNameFirstUpper(r, x); }, "中文Abc.txt"},
    {"2011.txt", "BaseNameFirstUpper", [](TRenameFile& f, bool r, bool& x) { return f.BaseNameFirstUpper(r, x); }, "2011.txt"},
    {"photo.JPG", "ExtNameLower", [](TRenameFile& f, bool r, bool& x) { return f.ExtNameLower(r, x); }, "photo.jpg"},
    {"photo.jpg", "ExtNameUpper", [](TRenameFile& f, bool r, bool& x) { return f.ExtNameUpper(r, x); }, "photo.JPG"},
    {"README", "ExtNameUpper", [](TRenameFile& f, bool r, bool& x) { return f.ExtNameUpper(r, x); }, "README"},
    {"notes.txt", "NewExtName .md", [](TRenameFile& f, bool r, bool& x) { return f.NewExtName(S(".md"), r, x); }, "notes.md"},
    {"notes.txt", "NewExtName md", [](TRenameFile& f, bool r, bool& x) { return f.NewExtName(S("md"), r, x); }, "notesmd"},
    {"README", "NewExtName .txt", [](TRenameFile& f, bool r, bool& x) { return f.NewExtName(S(".txt"), r, x); }, "README.txt"},
    {"IMG_0001.JPG", "NewBaseName", [](TRenameFile& f, bool r, bool& x) { return f.NewBaseName(S("Trip-01"), r, x); }, "Trip-01.JPG"},
    {"a_b_c.txt", "Replace _ by space", [](TRenameFile& f, bool r, bool& x) { return f.ReplaceString(S("_"), S(" "), r, x); }, "a b c.txt"},
    {"aaa.txt", "Replace aa by b", [](TRenameFile& f, bool r, bool& x) { return f.ReplaceString(S("aa"), S("b"), r, x); }, "ba.txt"},
    {"Photo photo.jpg", "Replace photo by pic", [](TRenameFile& f, bool r, bool& x) { return f.ReplaceString(S("photo"), S("pic"), r, x); }, "Photo pic.jpg"},
    {"ab.txt", "Replace a by aa (no rescan)", [](TRenameFile& f, bool r, bool& x) { return f.ReplaceString(S("a"), S("aa"), r, x); }, "aab.txt"},
    {"ab.txt", "Replace empty", [](TRenameFile& f, bool r, bool& x) { return f.ReplaceString(S(""), S("x"), r, x); }, "ab.txt"},
    {"a_b_c.txt", "RemoveString _", [](TRenameFile& f, bool r, bool& x) { return f.RemoveString(S("_"), r, x); }, "abc.txt"},
    {"a_b_c.txt", "RemoveString empty", [](TRenameFile& f, bool r, bool& x) { return f.RemoveString(S(""), r, x); }, "a_b_c.txt"},
    {"IMG_0001.JPG", "RemoveStringExt 1,4", [](TRenameFile& f, bool r, bool& x) { return f.RemoveStringExt(1, 4, r, x); }, "0001.JPG"},
    {"IMG_0001.JPG", "RemoveStringExt 4,1", [](TRenameFile& f, bool r, bool& x) { return f.RemoveStringExt(4, 1, r, x); }, "IMG0001.JPG"},
    {"IMG_0001.JPG", "RemoveStringExt 6,10", [](TRenameFile& f, bool r, bool& x) { return f.RemoveStringExt(6, 10, r, x); }, "IMG_0.JPG"},
    {"IMG_0001.JPG", "RemoveStringExt 9,1", [](TRenameFile& f, bool r, bool& x) { return f.RemoveStringExt(9, 1, r, x); }, "IMG_0001.JPG"},
    {"IMG_0001.JPG", "RemoveStringExt 3,0", [](TRenameFile& f, bool r, bool& x) { return f.RemoveStringExt(3, 0, r, x); }, "IMG_0001.JPG"},
    {"abc.txt", "RemoveStringExt whole base", [](TRenameFile& f, bool r, bool& x) { return f.RemoveStringExt(1, 3, r, x); }, ".txt"},
    {"photo.jpg", "InsertString new_ at 1", [](TRenameFile& f, bool r, bool& x) { return f.InsertString(S("new_"), 1, r, x); }, "new_photo.jpg"},
    {"photo.jpg", "InsertString _v2 at 6", [](TRenameFile& f, bool r, bool& x) { return f.InsertString(S("_v2"), 6, r, x); }, "photo_v2.jpg"},
    {"photo.jpg", "InsertString _v2 at 7", [](TRenameFile& f, bool r, bool& x) { return f.InsertString(S("_v2"), 7, r, x); }, "photo.jpg", true},
    {"photo.jpg", "InsertString X at 0", [](TRenameFile& f, bool r, bool& x) { return f.InsertString(S("X"), 0, r, x); }, "Xphoto.jpg"},
    {"photo.jpg", "InsertString X at -5", [](TRenameFile& f, bool r, bool& x) { return f.InsertString(S("X"), -5, r, x); }, "Xphoto.jpg"},
    {"photo.jpg", "InsertString empty", [](TRenameFile& f, bool r, bool& x) { return f.InsertString(S(""), 3, r, x); }, "photo.jpg"},
    {"straße.txt", "BaseNameUpper keeps length", [](TRenameFile& f, bool r, bool& x) { return f.BaseNameUpper(r, x); }, "STRAßE.txt"},
    {"\xF0\x90\x90\xA8x.txt", "BaseNameUpper outside the BMP", [](TRenameFile& f, bool r, bool& x) { return f.BaseNameUpper(r, x); }, "\xF0\x90\x90\x80X.txt"},
};

TEST(RenameFilePreview, WorkedExamplesTouchNothing)
{
    for (const TExample& ex : kExamples) {
        TRenameFile f = Entry(QStringLiteral("/nowhere/") + S(ex.file));
        const TRenameFile before = f;
        bool failed = true;   // a preview must leave the caller's flag alone
        EXPECT_EQ(ex.op(f, false, failed), S(ex.expected)) << ex.file << " " << ex.what;
        EXPECT_TRUE(failed);
        EXPECT_EQ(f.FullName, before.FullName);
        EXPECT_EQ(f.NewFullName, before.NewFullName);
        EXPECT_EQ(f.BaseName, before.BaseName);
        EXPECT_EQ(f.ExtName, before.ExtName);
    }
}

using RenameOnDisk = testutil::TFolderTest;

TEST_F(RenameOnDisk, WorkedExamplesRenameTheFile)
{
    for (const TExample& ex : kExamples) {
        if (ex.skipsRename)
            continue;
        QDir(d).removeRecursively();
        QDir().mkpath(d);
        TRenameFile f = Entry(MakeFile(d, S(ex.file), "content"));
        bool failed = true;
        const QString name = ex.op(f, true, failed);
        EXPECT_EQ(name, S(ex.expected)) << ex.what;
        EXPECT_FALSE(failed) << ex.what;
        EXPECT_EQ(NamesIn(d), QStringList{name}) << ex.what;
        EXPECT_EQ(f.NewFullName, d + u'/' + name) << ex.what;
        EXPECT_EQ(f.FileName, S(ex.file)) << "fields keep their loaded values";
    }
}

TEST_F(RenameOnDisk, TakenTargetIsRefusedAndBothFilesStay)
{
    TRenameFile a = Entry(MakeFile(d, QStringLiteral("a.txt"), "A"));
    MakeFile(d, QStringLiteral("b.txt"), "B");
    a.NewFullName = QStringLiteral("stale");
    bool failed = false;
    EXPECT_EQ(a.NewBaseName(QStringLiteral("b"), true, failed), QStringLiteral("b.txt"));
    EXPECT_TRUE(failed);
    EXPECT_TRUE(a.NewFullName.isEmpty());
    EXPECT_EQ(ReadAll(d + "/a.txt"), "A");
    EXPECT_EQ(ReadAll(d + "/b.txt"), "B");
}

TEST_F(RenameOnDisk, NamesThatWouldMoveOrLoseTheFileAreRefused)
{
    QDir(d).mkdir(QStringLiteral("sub"));
    const struct {
        const char* base;
        const char* ext;
    } cases[] = {{"sub/a", ".txt"}, {"..", ""}, {".", ""}, {"", ""}, {"../escape", ".txt"}};
    for (const auto& c : cases) {
        TRenameFile a = Entry(MakeFile(d, QStringLiteral("a.txt"), "A"));
        bool failed = false;
        a.MakeName(S(c.base), S(c.ext), true, failed);
        EXPECT_TRUE(failed) << c.base;
        EXPECT_TRUE(a.NewFullName.isEmpty());
        EXPECT_EQ(NamesIn(d), (QStringList{QStringLiteral("a.txt"), QStringLiteral("sub")})) << c.base;
    }
    TRenameFile a = Entry(d + "/a.txt");
    bool failed = false;
    a.MakeName(QStringLiteral("x") + QChar(0) + QStringLiteral("y"), QString(), true, failed);
    EXPECT_TRUE(failed);
    EXPECT_TRUE(NamesIn(d + "/sub").isEmpty());
}

TEST_F(RenameOnDisk, UnchangedNameAndRemovedWholeNameWithoutExtension)
{
    TRenameFile same = Entry(MakeFile(d, QStringLiteral("a.txt")));
    bool failed = true;
    same.BaseNameLower(true, failed);
    EXPECT_FALSE(failed);
    EXPECT_EQ(same.NewFullName, d + "/a.txt");

    TRenameFile bare = Entry(MakeFile(d, QStringLiteral("abc")));
    EXPECT_EQ(bare.RemoveString(QStringLiteral("abc"), true, failed), QString());
    EXPECT_TRUE(failed);
    EXPECT_TRUE(QFile::exists(d + "/abc"));
}

TEST_F(RenameOnDisk, InsertPastTheEndNeverRenamesNorWritesTheFlag)
{
    TRenameFile f = Entry(MakeFile(d, QStringLiteral("photo.jpg")));
    f.NewFullName = QStringLiteral("kept");
    bool failed = true;
    EXPECT_EQ(f.InsertString(QStringLiteral("_v2"), 7, true, failed), QStringLiteral("photo.jpg"));
    EXPECT_TRUE(failed);
    EXPECT_EQ(f.NewFullName, QStringLiteral("kept"));
}

TEST_F(RenameOnDisk, ApplyPassRunsInListOrderWithoutIntermediateNames)
{
    for (const char* n : {"1.txt", "2.txt", "3.txt"})
        MakeFile(d, S(n), n);
    TRenameFiles set;
    set.LoadFiles(d, QStringLiteral("/*.txt"));
    ASSERT_EQ(set.GetCount(), 3);
    bool failed[3] = {};
    for (int i = 0; i < 3; ++i)
        set.GetItem(i)->NewBaseName(QString::number(i + 2), true, failed[i]);
    EXPECT_TRUE(failed[0]);
    EXPECT_TRUE(failed[1]);
    EXPECT_FALSE(failed[2]);
    EXPECT_EQ(NamesIn(d), (QStringList{QStringLiteral("1.txt"), QStringLiteral("2.txt"), QStringLiteral("4.txt")}));
    EXPECT_EQ(ReadAll(d + "/4.txt"), "3.txt");
}

TEST_F(RenameOnDisk, LoadFilesListsMatchingFilesOnlyAndReplacesTheSet)
{
    MakeFile(d, QStringLiteral("b.txt"));
    MakeFile(d, QStringLiteral("A.TXT"));
    MakeFile(d, QStringLiteral("c.jpg"));
    MakeFile(d, QStringLiteral(".hidden.txt"));
    QDir(d).mkdir(QStringLiteral("folder.txt"));

    TRenameFiles set;
    set.LoadFiles(d, QStringLiteral("/*.txt"));
    ASSERT_EQ(set.GetCount(), 2);
    EXPECT_EQ(set.GetItem(0)->GetFileName(), QStringLiteral("A.TXT"));
    EXPECT_EQ(set.GetItem(1)->GetFileName(), QStringLiteral("b.txt"));
    EXPECT_EQ(set.GetItem(1)->Dir, d + u'/');
    EXPECT_THROW(set.GetItem(2), std::out_of_range);
    EXPECT_THROW(set.GetItem(-1), std::out_of_range);

    set.LoadFiles(d, QStringLiteral("/*.*"));
    EXPECT_EQ(set.GetCount(), 3);
    set.LoadFiles(d, QStringLiteral("/*.none"));
    EXPECT_EQ(set.GetCount(), 0);
    set.LoadFiles(d + "/missing", QStringLiteral("/*.*"));
    EXPECT_EQ(set.GetCount(), 0);
}

TEST_F(RenameOnDisk, FolderEndingInSeparatorStillRenames)
{
    MakeFile(d, QStringLiteral("x.txt"));
    TRenameFiles set;
    set.LoadFiles(d + u'/', QStringLiteral("/*.*"));
    ASSERT_EQ(set.GetCount(), 1);
    TRenameFile* f = set.GetItem(0);
    EXPECT_EQ(f->FullName, d + "//x.txt");
    EXPECT_EQ(f->Dir, d + "///");
    bool failed = true;
    f->ExtNameUpper(true, failed);
    EXPECT_FALSE(failed);
    EXPECT_EQ(NamesIn(d), QStringList{QStringLiteral("x.TXT")});
}

} // namespace
