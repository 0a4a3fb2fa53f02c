#pragma once

#include "engine/RenamePlan.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

#include <vector>

// Rows of the file list: the file name and the preview of its new name, one
// row per entry of the listed folder, in the folder's order. Plain vectors,
// no object per row, so that a folder of 100,000 files stays cheap. A row
// also carries a status that marks it in the view: refused rows in the
// warning colour with their reason as the preview cell's tooltip, unchanged
// rows dimmed. The statuses come from the plan of the last preview, kept as
// the planner gave it; colours and reasons are worked out only for the rows
// the view asks about.
class TFileListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum TColumn { ColFileName, ColPreview, ColCount };
    enum TRole { StatusRole = Qt::UserRole + 1 };
    enum TRowStatus { RowPlain, RowRenamed, RowUnchanged, RowRefused };

    explicit TFileListModel(QObject* parent = nullptr);

    // Replaces every row; the previews start empty, the statuses RowPlain.
    void Reset(const QStringList& names);

    QString FileName(int row) const { return FNames.at(row); }
    const QStringList& FileNames() const { return FNames; }
    QString Preview(int row) const { return FPreviews.at(row); }
    const QStringList& Previews() const { return FPreviews; }
    void SetPreview(int row, const QString& text);
    int Status(int row) const;
    // Overrides the plan's status of one row.
    void SetStatus(int row, int status);
    // The outcome of each row's preview, one per row.
    void SetPlan(TRenamePlan plan);
    // Why the plan refuses the row ("" when it does not): the preview
    // cell's tooltip.
    QString Reason(int row) const;
    // Every row back to RowPlain.
    void ClearMarks();

    // Between these, changed rows are reported once, as one range, at the end.
    void BeginUpdate();
    void EndUpdate();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QStringList FNames;
    QStringList FPreviews;
    TRenamePlan FPlan;             // no rows, or one per row
    QList<int> FStatus;            // empty until a status is set by hand
    int FUpdating = 0;
    int FFirstChanged = -1;
    int FLastChanged = -1;

    void RowChanged(int row, int firstColumn, int lastColumn);
    void RowsChanged(int firstRow, int lastRow, int firstColumn, int lastColumn);
};
