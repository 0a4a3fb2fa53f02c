#pragma once

#include <QDialog>
#include <QString>

#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;
class TSkinForm;

// The files the last apply or undo could not rename, each with its reason.
// Not modal: the user keeps working in the main window beside it.
class TRenameReportForm : public QDialog {
    Q_OBJECT
public:
    struct TRow {
        QString File;     // "old → new", or the name for an undo
        QString Reason;
    };

    explicit TRenameReportForm(QWidget* owner);

    TSkinForm* bsBusinessSkinForm1;
    QLabel* lblSummary;
    QTreeWidget* lvReport;
    QPushButton* btnClose;

    void SetReport(const QString& summary, const std::vector<TRow>& rows);

    void btnCloseClick(QObject* sender);
};
