#include "support/QelFile.h"

#include "common/TestUtil.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

using testutil::MakeFile;

namespace {

using QelFile = testutil::TFolderTest;

TEST_F(QelFile, GetFileListKeepsOrdinaryFilesOnlyAndAppends)
{
    MakeFile(d, QStringLiteral("b.txt"));
    MakeFile(d, QStringLiteral("README"));
    MakeFile(d, QStringLiteral(".hidden"));
    QDir(d).mkdir(QStringLiteral("sub"));
    MakeFile(d + "/sub", QStringLiteral("inner.txt"));

    TStringList list;
    list.Add(QStringLiteral("earlier"));
    qel::GetFileList(&list, d + "/*.*", 128);
    EXPECT_EQ(list.List(), (QStringList{QStringLiteral("earlier"), d + "/b.txt", d + "/README"}));

    TStringList txt;
    qel::GetFileList(&txt, d + "/*.TXT", 128);
    EXPECT_EQ(txt.List(), QStringList{d + "/b.txt"});
}

TEST_F(QelFile, GetFileListAttributeBitsLetEntriesIn)
{
    MakeFile(d, QStringLiteral("a"));
    MakeFile(d, QStringLiteral(".h"));
    QDir(d).mkdir(QStringLiteral("sub"));
    const struct {
        int attr;
        QStringList names;
    } cases[] = {
        {128, {"a"}},
        {128 | 2, {".h", "a"}},
        {128 | 16, {"a", "sub"}},
        {511, {".", "..", ".h", "a", "sub"}},
    };
    for (const auto& c : cases) {
        TStringList list;
        qel::GetFileList(&list, d + "/*", c.attr);
        QStringList expected;
        for (const QString& n : c.names)
            expected << d + u'/' + n;
        EXPECT_EQ(list.List(), expected) << c.attr;
    }
    TStringList none;
    qel::GetFileList(&none, d + "/missing/*.*", 128);
    EXPECT_EQ(none.Count(), 0);
}

TEST_F(QelFile, GetFileSize)
{
    MakeFile(d, QStringLiteral("empty"));
    MakeFile(d, QStringLiteral("five"), "12345");
    EXPECT_EQ(qel::GetFileSize(d + "/missing"), -1);
    EXPECT_EQ(qel::GetFileSize(d + "/empty"), 0);
    EXPECT_EQ(qel::GetFileSize(d + "/five"), 5);
    EXPECT_EQ(qel::GetFileSize(d + "/fi*"), 5);
}

TEST_F(QelFile, LoadFileToBuf)
{
    const QString path = MakeFile(d, QStringLiteral("data"), "hello");
    char* sentinel = reinterpret_cast<char*>(0x1);
    char* buf = sentinel;
    EXPECT_EQ(qel::LoadFileToBuf(d + "/missing", buf, -1), 0);
    EXPECT_EQ(buf, sentinel);

    EXPECT_EQ(qel::LoadFileToBuf(path, buf, -1), 5);
    EXPECT_EQ(QByteArray(buf, 5), "hello");
    delete[] buf;

    EXPECT_EQ(qel::LoadFileToBuf(path, buf, 3), 3);
    EXPECT_EQ(QByteArray(buf, 3), "hel");
    delete[] buf;
}

TEST_F(QelFile, LoadFileToBufRefusesFilesBeyondAnIntBuffer)
{
    // A sparse 3 GiB file: its size does not fit the int the caller gets back.
    const QString path = d + "/huge";
    const int fd = ::open(path.toLocal8Bit().constData(), O_CREAT | O_WRONLY, 0600);
    ASSERT_GE(fd, 0);
    const bool sized = ::ftruncate(fd, 3LL << 30) == 0;
    ::close(fd);
    if (!sized)
        GTEST_SKIP() << "this file system cannot hold a sparse 3 GiB file";
    char* sentinel = reinterpret_cast<char*>(0x1);
    char* buf = sentinel;
    EXPECT_EQ(qel::LoadFileToBuf(path, buf, -1), -1);
    EXPECT_EQ(buf, sentinel);
}

TEST(QelShellOpen, HandsEmptyTextsThroughTheSeam)
{
    QStringList seen;
    auto old = qel::SetShellOpenHandler([&](const QString& f, const QString& p, const QString& dir) {
        seen << f << p << dir;
    });
    qel::ShellOpen(QStringLiteral("http://127.0.0.1/"), QString(), QString());
    qel::SetShellOpenHandler(old);
    ASSERT_EQ(seen.size(), 3);
    EXPECT_EQ(seen[0], QStringLiteral("http://127.0.0.1/"));
    EXPECT_TRUE(seen[1].isEmpty());
    EXPECT_TRUE(seen[2].isEmpty());
}

TEST(QelAppPath, IsTheTestExecutablesFolder)
{
    const QString path = qel::GetAppPath();
    ASSERT_TRUE(path.endsWith(u'/'));
    EXPECT_TRUE(QFile::exists(path + QStringLiteral("support_tests")));
}

} // namespace
