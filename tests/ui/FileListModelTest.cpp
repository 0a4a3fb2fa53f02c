#include "ui/FileListModel.h"
#include "ui/Skinctrldm.h"

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

TEST(FileListModel, MarksRowsByThePlanAndTellsARefusedRowsReasonOnItsPreviewCell)
{
    TFileListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.Reset({"a", "b", "c", "d"});
    model.SetPreview(0, QStringLiteral("b"));
    model.SetPreview(3, QString(300, u'x'));
    TRenamePlan plan;
    plan.Rows.resize(4);
    plan.Rows[0] = {TPlanOutcome::TargetTaken, 1};
    plan.Rows[1].Outcome = TPlanOutcome::Unchanged;
    plan.Rows[3].Outcome = TPlanOutcome::InvalidName;
    plan.FolderNames = QStringList{"a", "b", "c", "d"};
    plan.MaxNameBytes = 255;
    QSignalSpy changed(&model, &TFileListModel::dataChanged);
    model.SetPlan(plan);
    EXPECT_EQ(changed.count(), 1);

    auto at = [&](int row, int column, int role) { return model.data(model.index(row, column), role); };
    const int statuses[] = {TFileListModel::RowRefused, TFileListModel::RowUnchanged, TFileListModel::RowRenamed,
                            TFileListModel::RowRefused};
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(at(row, TFileListModel::ColFileName, TFileListModel::StatusRole).toInt(), statuses[row]) << row;
    EXPECT_EQ(at(0, TFileListModel::ColPreview, Qt::ToolTipRole).toString(), QStringLiteral("“b”已存在，不会覆盖它"));
    EXPECT_EQ(at(3, TFileListModel::ColPreview, Qt::ToolTipRole).toString(),
              QStringLiteral("新文件名过长（最多 255 字节）"));
    EXPECT_FALSE(at(0, TFileListModel::ColFileName, Qt::ToolTipRole).isValid());
    EXPECT_FALSE(at(1, TFileListModel::ColPreview, Qt::ToolTipRole).isValid());
    EXPECT_EQ(at(0, TFileListModel::ColFileName, Qt::ForegroundRole).value<QColor>(),
              TSkinCtrlModule::RefusedTextColor());
    EXPECT_EQ(at(1, TFileListModel::ColPreview, Qt::ForegroundRole).value<QColor>(), TSkinCtrlModule::DimTextColor());
    EXPECT_FALSE(at(2, TFileListModel::ColPreview, Qt::ForegroundRole).isValid());

    // A status set by hand wins over the plan's; clearing drops both, once.
    model.SetStatus(2, TFileListModel::RowRefused);
    EXPECT_EQ(model.Status(2), TFileListModel::RowRefused);
    EXPECT_EQ(model.Status(1), TFileListModel::RowUnchanged);
    model.ClearMarks();
    EXPECT_EQ(model.Status(0), TFileListModel::RowPlain);
    EXPECT_FALSE(at(0, TFileListModel::ColPreview, Qt::ToolTipRole).isValid());
    const int reports = changed.count();
    model.ClearMarks();
    EXPECT_EQ(changed.count(), reports);
}
