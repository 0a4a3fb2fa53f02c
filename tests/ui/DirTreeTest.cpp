#include "ui/DirTree.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QStringList ChildTexts(const QTreeWidgetItem* item)
{
    QStringList out;
    for (int i = 0; i < item->childCount(); ++i)
        out << item->child(i)->text(0);
    return out;
}

TEST(DirTree, IsRootedAtTheDesktopWithHomeAndTheFileSystem)
{
    TDirTree tree;
    ASSERT_EQ(tree.topLevelItemCount(), 1);
    QTreeWidgetItem* desktop = tree.DesktopItem();
    EXPECT_EQ(desktop->text(0), QStringLiteral("桌面"));
    EXPECT_TRUE(desktop->isExpanded());
    const QString desktopPath = TDirTree::PathOf(desktop);
    EXPECT_TRUE(desktopPath.isEmpty() || QDir(desktopPath).exists());
    ASSERT_GE(desktop->childCount(), 2);
    EXPECT_EQ(desktop->child(0)->text(0), QStringLiteral("主文件夹"));
    EXPECT_EQ(TDirTree::PathOf(desktop->child(0)), QDir::homePath());
    EXPECT_EQ(desktop->child(1), tree.RootItem());
    EXPECT_EQ(TDirTree::PathOf(tree.RootItem()), QStringLiteral("/"));
    EXPECT_EQ(tree.GetPath(), QString());   // nothing selected yet
}

TEST(DirTree, ListsVisibleFoldersOnlyInFolderOrderAndReadsThemOnce)
{
    QTemporaryDir tmp;
    const QDir dir(tmp.path());
    for (const char* name : {"b", "A", "c", ".hidden"})
        dir.mkdir(QLatin1String(name));
    QFile(tmp.path() + "/f.txt").open(QIODevice::WriteOnly);
    QFile::link(tmp.path() + "/A", tmp.path() + "/link");

    TDirTree tree;
    QTreeWidgetItem* item = tree.FindPath(tmp.path());
    ASSERT_NE(item, nullptr);
    tree.expandItem(item);
    EXPECT_EQ(ChildTexts(item), QStringList({"A", "b", "c", "link"}));
    EXPECT_EQ(TDirTree::PathOf(item->child(1)), tmp.path() + "/b");
    EXPECT_EQ(tree.FindPath(tmp.path() + "/.hidden"), nullptr);

    // The tree does not follow the disk.
    dir.mkdir(QStringLiteral("d"));
    EXPECT_EQ(tree.FindPath(tmp.path() + "/d"), nullptr);

    // A folder without subfolders loses its expander once opened.
    QTreeWidgetItem* leaf = tree.FindPath(tmp.path() + "/c");
    ASSERT_NE(leaf, nullptr);
    tree.expandItem(leaf);
    EXPECT_EQ(leaf->childCount(), 0);
    EXPECT_EQ(leaf->childIndicatorPolicy(), QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

TEST(DirTree, FindsAFolderOfTheHomeFolderUnderTheHomeEntry)
{
    QTemporaryDir home;
    QDir(home.path()).mkpath(QStringLiteral("照片/2011"));
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    TDirTree tree;
    qputenv("HOME", oldHome);

    QTreeWidgetItem* item = tree.FindPath(home.path() + "/照片/2011");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(TDirTree::PathOf(item), home.path() + "/照片/2011");
    EXPECT_EQ(item->parent()->parent(), tree.DesktopItem()->child(0));   // under "主文件夹"
    EXPECT_NE(tree.FindPath(QStringLiteral("/")), nullptr);
}

TEST(DirTree, LeftClicksReportAndRightClicksOnlySelect)
{
    QTemporaryDir tmp;
    QDir(tmp.path()).mkdir(QStringLiteral("x"));
    QDir(tmp.path()).mkdir(QStringLiteral("y"));
    TDirTree tree;
    tree.resize(400, 600);
    tree.show();
    int clicks = 0;
    tree.OnClick = [&clicks] { ++clicks; };

    QTreeWidgetItem* x = tree.FindPath(tmp.path() + "/x");
    QTreeWidgetItem* y = tree.FindPath(tmp.path() + "/y");
    ASSERT_TRUE(x && y);
    QTest::mouseClick(tree.viewport(), Qt::RightButton, {}, tree.visualItemRect(x).center());
    EXPECT_EQ(tree.GetPath(), tmp.path() + "/x");
    EXPECT_EQ(clicks, 0);
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(y).center());
    EXPECT_EQ(tree.GetPath(), tmp.path() + "/y");
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(tree.SelectPath(tmp.path() + "/x"));   // as the keyboard would: no click
    EXPECT_EQ(tree.GetPath(), tmp.path() + "/x");
    EXPECT_EQ(clicks, 1);
}

} // namespace
