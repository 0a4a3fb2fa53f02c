#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

// Rows of the file list: the file name and the preview of its new name, one
// row per entry of the listed folder, in the folder's order. Plain vectors,
// no object per row, so that a folder of 100,000 files stays cheap. A row
// also carries a status number (0 unless set) for views that mark rows.
class TFileListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum TColumn { ColFileName, ColPreview, ColCount };
    enum TRole { StatusRole = Qt::UserRole + 1 };

    explicit TFileListModel(QObject* parent = nullptr);

    // Replaces every row; the previews start empty, the statuses 0.
    void Reset(const QStringList& names);

    QString FileName(int row) const { return FNames.at(row); }
    QString Preview(int row) const { return FPreviews.at(row); }
    void SetPreview(int row, const QString& text);
    int Status(int row) const { return FStatus.isEmpty() ? 0 : FStatus.at(row); }
    void SetStatus(int row, int status);

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
    QList<QString> FPreviews;
    QList<int> FStatus;     // empty until a status is set
    int FUpdating = 0;
    int FFirstChanged = -1;
    int FLastChanged = -1;

    void RowChanged(int row, int firstColumn, int lastColumn);
};
