#include "ui/FileListModel.h"

#include "ui/RenameTexts.h"
#include "ui/Skinctrldm.h"

TFileListModel::TFileListModel(QObject* parent) : QAbstractTableModel(parent)
{
}

void TFileListModel::Reset(const QStringList& names)
{
    beginResetModel();
    FNames = names;
    // Keeps the vector's memory from one reload to the next.
    FPreviews.clear();
    FPreviews.resize(names.size());
    FStatus.clear();
    FPlan = TRenamePlan();
    FFirstChanged = FLastChanged = -1;
    endResetModel();
}

void TFileListModel::SetPreview(int row, const QString& text)
{
    FPreviews[row] = text;
    RowChanged(row, ColPreview, ColPreview);
}

int TFileListModel::Status(int row) const
{
    if (!FStatus.isEmpty())
        return FStatus.at(row);
    if (FPlan.Rows.empty())
        return RowPlain;
    const TPlanRow& r = FPlan.Rows[std::size_t(row)];
    if (r.Refused())
        return RowRefused;
    return r.Outcome == TPlanOutcome::Unchanged ? RowUnchanged : RowRenamed;
}

void TFileListModel::SetStatus(int row, int status)
{
    if (FStatus.isEmpty()) {
        QList<int> statuses(FNames.size());
        for (int i = 0; i < FNames.size(); ++i)
            statuses[i] = Status(i);
        FStatus = std::move(statuses);
    }
    FStatus[row] = status;
    RowChanged(row, ColFileName, ColCount - 1);
}

void TFileListModel::SetPlan(TRenamePlan plan)
{
    if (plan.Rows.size() != std::size_t(FNames.size()))
        plan = TRenamePlan();
    if (plan.Rows.empty() && FPlan.Rows.empty() && FStatus.isEmpty())
        return;
    FPlan = std::move(plan);
    FStatus.clear();
    if (!FNames.isEmpty())
        RowsChanged(0, int(FNames.size()) - 1, ColFileName, ColCount - 1);
}

QString TFileListModel::Reason(int row) const
{
    if (Status(row) != RowRefused)
        return QString();
    return PlanReason(FPlan, row, FPreviews.at(row), FNames);
}

void TFileListModel::ClearMarks()
{
    SetPlan(TRenamePlan());
}

void TFileListModel::BeginUpdate()
{
    ++FUpdating;
}

void TFileListModel::EndUpdate()
{
    if (FUpdating == 0 || --FUpdating > 0 || FFirstChanged < 0)
        return;
    const QModelIndex first = index(FFirstChanged, ColFileName);
    const QModelIndex last = index(FLastChanged, ColCount - 1);
    FFirstChanged = FLastChanged = -1;
    emit dataChanged(first, last);
}

void TFileListModel::RowChanged(int row, int firstColumn, int lastColumn)
{
    RowsChanged(row, row, firstColumn, lastColumn);
}

void TFileListModel::RowsChanged(int firstRow, int lastRow, int firstColumn, int lastColumn)
{
    if (FUpdating > 0) {
        FFirstChanged = FFirstChanged < 0 ? firstRow : std::min(FFirstChanged, firstRow);
        FLastChanged = std::max(FLastChanged, lastRow);
        return;
    }
    emit dataChanged(index(firstRow, firstColumn), index(lastRow, lastColumn));
}

int TFileListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(FNames.size());
}

int TFileListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColCount;
}

QVariant TFileListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const int row = index.row();
    switch (role) {
    case Qt::DisplayRole:
        return index.column() == ColFileName ? FNames.at(row) : FPreviews.at(row);
    case StatusRole:
        return Status(row);
    case Qt::ForegroundRole:
        switch (Status(row)) {
        case RowRefused:
            return TSkinCtrlModule::RefusedTextColor();
        case RowUnchanged:
            return TSkinCtrlModule::DimTextColor();
        default:
            return QVariant();
        }
    case Qt::BackgroundRole:
        return Status(row) == RowRefused ? QVariant(TSkinCtrlModule::RefusedBackColor()) : QVariant();
    case Qt::ToolTipRole: {
        const QString reason = index.column() == ColPreview ? Reason(row) : QString();
        return reason.isEmpty() ? QVariant() : QVariant(reason);
    }
    default:
        return QVariant();
    }
}

QVariant TFileListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QVariant();
    switch (section) {
    case ColFileName:
        return QStringLiteral("文件名");
    case ColPreview:
        return QStringLiteral("预览");
    default:
        return QVariant();
    }
}

Qt::ItemFlags TFileListModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}
