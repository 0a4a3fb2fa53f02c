#include "platform/DirSearch.h"

#include "common/TestUtil.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

TEST(WildcardMatch, WindowsRules)
{
    const struct {
        const char16_t* mask;
        const char16_t* name;
        bool match;
    } cases[] = {
        {u"*.*", u"README", true},
        {u"*.*", u".profile", true},
        {u"*", u"a.b.c", true},
        {u"*.txt", u"notes.TXT", true},
        {u"*.TXT", u"notes.txt", true},
        {u"*.txt", u"notes.txt.bak", false},
        {u"*.txt", u"txt", false},
        {u"*.jp*g", u"photo.jpeg", true},
        {u"*.jp*g", u"photo.jpg", true},
        {u"IMG_????.JPG", u"img_0001.jpg", true},
        {u"IMG_????.JPG", u"img_001.jpg", false},
        {u"?", u"\U0001F600", true},     // one character, two code units
        {u"a*b*c", u"aXbYbZc", true},
        {u"a*b*c", u"aXbYbZ", false},
        {u"report.*", u"report", true},   // a trailing ".*" may match nothing
        {u"report.*", u"reports", false},
        {u"中文*", u"中文abc.txt", true},
        {u"é*", u"É.txt", true},
        {u"", u"a", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(plat::WildcardMatch(QStringView(c.mask), QStringView(c.name)), c.match)
            << QString::fromUtf16(c.mask).toStdString() << " vs " << QString::fromUtf16(c.name).toStdString();
}

TEST(NtfsOrder, UpperCasedOrdinalThenExact)
{
    QStringList names = {u"b.txt"_qs, u"B.txt"_qs, u"a_1"_qs, u"A1"_qs, u"_z"_qs, u"Z"_qs, u"ä"_qs, u"10"_qs, u"9"_qs};
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) { return plat::NtfsLess(a, b); });
    // Upper-cased: "_" (0x5F) sorts after the letters, digits before them,
    // "Ä" after ASCII; equal keys fall back to the exact code units.
    EXPECT_EQ(names, (QStringList{u"10"_qs, u"9"_qs, u"A1"_qs, u"a_1"_qs, u"B.txt"_qs, u"b.txt"_qs, u"Z"_qs, u"_z"_qs, u"ä"_qs}));
}

TEST(FindEntries, AttributesAndOrder)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString d = tmp.path();
    testutil::MakeFile(d, u"b.txt"_qs, "12345");
    testutil::MakeFile(d, u"A.txt"_qs);
    testutil::MakeFile(d, u".hidden"_qs);
    QDir(d).mkdir(u"sub.dir"_qs);
    ASSERT_EQ(symlink("sub.dir", (d + u"/link-to-dir"_qs).toLocal8Bit().constData()), 0);
    ASSERT_EQ(symlink("b.txt", (d + u"/link-to-file"_qs).toLocal8Bit().constData()), 0);
    ASSERT_EQ(symlink("missing", (d + u"/dangling"_qs).toLocal8Bit().constData()), 0);
    ASSERT_EQ(mkfifo((d + u"/fifo"_qs).toLocal8Bit().constData(), 0600), 0);

    const plat::TDirListing found = plat::FindEntries(d + u'/', u"*"_qs, true);
    QStringList got;
    for (std::size_t i = 0; i < found.Count(); ++i)
        got << found.Name(i).toString() + u':' + QString::number(found.Items[i].Attr) + u':'
                   + QString::number(found.Items[i].Size);
    EXPECT_EQ(got, (QStringList{
                       u".:18:0"_qs, u"..:18:0"_qs, u".hidden:2:0"_qs, u"A.txt:128:0"_qs, u"b.txt:128:5"_qs,
                       u"dangling:4:0"_qs, u"fifo:4:0"_qs, u"link-to-dir:16:0"_qs, u"link-to-file:128:5"_qs,
                       u"sub.dir:16:0"_qs}));

    EXPECT_EQ(plat::FindEntries(d + u"/nowhere/"_qs, u"*"_qs).Count(), 0u);
    const plat::TDirListing txt = plat::FindEntries(d, u"*.TXT"_qs);
    ASSERT_EQ(txt.Count(), 2u);
    EXPECT_EQ(txt.Name(0), u"A.txt");
    EXPECT_EQ(txt.Name(1), u"b.txt");

    // The same folder's names alone, every kind of entry, in no set order;
    // a non-ASCII name comes back as it was made.
    testutil::MakeFile(d, u"照片 1.jpg"_qs);
    QStringList names = plat::ListNames(d);
    names.sort();
    EXPECT_EQ(names, (QStringList{u".hidden"_qs, u"A.txt"_qs, u"b.txt"_qs, u"dangling"_qs, u"fifo"_qs,
                                  u"link-to-dir"_qs, u"link-to-file"_qs, u"sub.dir"_qs, u"照片 1.jpg"_qs}));
    EXPECT_TRUE(plat::ListNames(d + u"/nowhere"_qs).isEmpty());
}

} // namespace
