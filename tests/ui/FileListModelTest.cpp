#include "ui/FileListModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <gtest/gtest.h>

TEST(FileListModel, PassesTheModelTesterThroughResetsAndUpdates)
{
    TFileListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.Reset({"a.txt", "b.txt", "c.txt"});
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.columnCount(), 2);
    EXPECT_EQ(model.data(model.index(1, TFileListModel::ColFileName)).toString(), QStringLiteral("b.txt"));
    EXPECT_EQ(model.data(model.index(1, TFileListModel::ColPreview)).toString(), QString());
    EXPECT_FALSE(model.flags(model.index(0, 0)).testFlag(Qt::ItemIsEditable));

    model.SetPreview(1, QStringLiteral("B.txt"));
    model.SetStatus(2, 7);
    EXPECT_EQ(model.data(model.index(1, TFileListModel::ColPreview)).toString(), QStringLiteral("B.txt"));
    EXPECT_EQ(model.data(model.index(2, 0), TFileListModel::StatusRole).toInt(), 7);
    EXPECT_EQ(model.data(model.index(0, 0), TFileListModel::StatusRole).toInt(), 0);

    model.Reset({});
    EXPECT_EQ(model.rowCount(), 0);
    model.Reset({"x"});
    EXPECT_EQ(model.data(model.index(0, 1)).toString(), QString());
    EXPECT_EQ(model.Status(0), 0);
}

TEST(FileListModel, ABatchReportsItsChangesOnce)
{
    TFileListModel model;
    QStringList names;
    for (int i = 0; i < 1000; ++i)
        names << QString::number(i);
    model.Reset(names);
    QSignalSpy changed(&model, &TFileListModel::dataChanged);

    model.BeginUpdate();
    for (int i = 10; i < 500; ++i)
        model.SetPreview(i, QStringLiteral("p"));
    EXPECT_EQ(changed.count(), 0);
    model.EndUpdate();
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex().row(), 10);
    EXPECT_EQ(changed[0][1].toModelIndex().row(), 499);

    model.BeginUpdate();   // nothing changed: nothing reported
    model.EndUpdate();
    EXPECT_EQ(changed.count(), 1);
    model.SetPreview(3, QStringLiteral("q"));
    EXPECT_EQ(changed.count(), 2);
}
