#include "ui/FileListModel.h"

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
    FFirstChanged = FLastChanged = -1;
    endResetModel();
}

void TFileListModel::SetPreview(int row, const QString& text)
{
    FPreviews[row] = text;
    RowChanged(row, ColPreview, ColPreview);
}

void TFileListModel::SetStatus(int row, int status)
{
    if (FStatus.isEmpty())
        FStatus = QList<int>(FNames.size(), 0);
    FStatus[row] = status;
    RowChanged(row, ColFileName, ColCount - 1);
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
    if (FUpdating > 0) {
        FFirstChanged = FFirstChanged < 0 ? row : std::min(FFirstChanged, row);
        FLastChanged = std::max(FLastChanged, row);
        return;
    }
    emit dataChanged(index(row, firstColumn), index(row, lastColumn));
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
