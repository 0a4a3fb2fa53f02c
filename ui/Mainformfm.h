#pragma once

#include "engine/RenameJournal.h"
#include "engine/RenamePlan.h"
#include "ui/ProductInfo.h"
#include "ui/RenameReportfm.h"

#include <QString>
#include <QWidget>
#include <memory>
#include <vector>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QSpinBox;
class QSplitter;
class QTabWidget;
class QTimer;
class QTableView;
class TDirTree;
class TFileListModel;
class TQelAdImage;
class TQelCheckUpdate;
namespace qel {
struct TMessage;
struct TNetProbeFlags;
}
class TRenameFile;
class TRenameFiles;
class TSkinForm;

// The main window: folder tree, file list with the preview column and what
// Apply will do to each file, the operation pages, Preview, Apply and the
// undo of the last apply. A folder or file dropped on it lists its folder.
class TMainForm : public QWidget {
    Q_OBJECT
public:
    // Operation codes held in FOpCode; 0, 4 and 5 select nothing.
    enum : quint32 {
        opNone = 0,
        opBaseNameUpper = 1,
        opBaseNameFirstUpper = 2,
        opBaseNameLower = 3,
        opExtNameUpper = 6,
        opExtNameLower = 7,
        opNewExtName = 8,
        opReplace = 9,
        opRemoveString = 10,
        opRemoveStringExt = 11,
        opNumber = 12,
        opInsert = 13,
    };

    // Tab indexes of pgcOp.
    enum { pageFileName, pageExtName, pageReplace, pageNumber, pageRemove, pageInsert, pageHelp };

    explicit TMainForm(QWidget* owner = nullptr);
    ~TMainForm() override;

    TSkinForm* bsBusinessSkinForm1;
    QFrame* bsSkinPanel1;
    QFrame* bsSkinPanel2;
    QFrame* bsSkinPanel3;
    QFrame* bsSkinPanel4;
    QSplitter* bsSkinSplitter1;
    QScrollBar* bsSkinScrollBar1;
    QScrollBar* bsSkinScrollBar2;
    TDirTree* tvDirTree;
    QScrollBar* bsSkinScrollBar3;
    QScrollBar* bsSkinScrollBar4;
    QTableView* lvFiles;
    QMenu* pmFiles;                // the file list's context menu
    QFrame* bsSkinStatusBar1;      // under the file list
    QLabel* lblPlan;               // what Apply will do
    QLabel* lblResult;             // what the last apply or undo did
    QPushButton* btnReport;        // opens the files it could not rename
    QAction* actUndoRename;
    QFrame* bsSkinPanel5;
    TQelAdImage* QelAdImage1;
    QTabWidget* pgcOp;
    QWidget* tabFileName;
    QWidget* tabReplace;
    QWidget* tabRemove;
    QWidget* tabNum;
    QWidget* tabAdd;
    QWidget* tabHelp;
    QPushButton* btnPri;
    QPushButton* btnApp;
    QLabel* lbl1;
    QComboBox* cbbExt;
    QPushButton* btnRefresh;
    QWidget* tabExtName;
    QRadioButton* crbFileNameLower;
    QRadioButton* crbFileNameUpper;
    QRadioButton* crbFileNameFirstUpper;
    QRadioButton* crbExtNameLower;
    QRadioButton* crbExtNameUpper;
    QComboBox* cbbNewExtName;
    QRadioButton* crbNewExtName;
    QLabel* lbl2;
    QLineEdit* edtFindString;
    QLineEdit* edtReplaceString;
    QLabel* lbl3;
    QRadioButton* crbRemoveString;
    QLineEdit* edtRemoveString;
    QRadioButton* crbRemoveStringExt;
    QSpinBox* edtRemoveStringExtFirst;
    QSpinBox* edtRemoveStringExtNum;
    QLabel* lbl4;
    QLabel* lbl5;
    QRadioButton* crbNumberFileName;
    QRadioButton* crbNumberExtName;
    QLabel* lbl6;
    QSpinBox* edtNumberStart;
    QLabel* lbl7;
    QSpinBox* edtNumberPlue;
    QLabel* lbl8;
    QSpinBox* edtNumberBit;
    QLabel* lbl9;
    QLabel* lbl10;
    QLineEdit* edtNumberPrefix;
    QLineEdit* edtNumberSuffix;
    QLabel* lbl11;
    QLineEdit* edtInsertString;
    QLabel* lbl12;
    QSpinBox* edtInsertPos;
    QTimer* tmrAdTimer;
    TQelCheckUpdate* QelCheckUpdate1;
    QPushButton* btnAbout;

    // Where the start-up timer sends the probe, the banner and the update
    // check: the product's own site. Tests point it at a loopback server.
    struct TNetTargets {
        QString ProbeUrl = SiteRoot;
        QString AdUrl = AdConfigUrl;
        QString Id = UpdateId;
        QString Version = UpdateVersion;
        QString Url = UpdateUrl;
        QString Goto = UpdateGoto;
    };
    TNetTargets NetTargets;

    // Whether a preview predicts what Apply will do to each row. Off only to
    // measure what the prediction costs.
    bool PlanPreview = true;

    void tvDirTreeClick(QObject* sender);
    void btnRefreshClick(QObject* sender);
    void btnPriClick(QObject* sender);
    void pgcOpChange(QObject* sender);
    void tmrAdTimerTimer(QObject* sender);
    void btnAboutClick(QObject* sender);
    void btnAppClick(QObject* sender);
    void btnReportClick(QObject* sender);
    void actUndoRenameExecute(QObject* sender);
    void lvFilesContextPopup(const QPoint& pos);
    // Lists the folder of a dropped path: the folder itself, or a file's folder.
    void FormDropFiles(const qel::TMessage& msg);

    // The rows of lvFiles.
    TFileListModel* FileList() const { return FFileList; }
    TRenameFiles* RenameFiles() const { return FRenameFiles; }
    quint32 OpCode() const { return FOpCode; }
    // The report of the last apply or undo; null until the user opens it.
    TRenameReportForm* ReportForm() const { return FReportForm; }

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    TRenameFiles* FRenameFiles;
    QString FListedPath;
    quint32 FOpCode = opNone;
    qint32 FNumber = 0;
    // FNetChecking and FNetPassed: written by the probe's worker, which may
    // still run when the window is gone, so they live in a shared block.
    std::shared_ptr<qel::TNetProbeFlags> FNet;
    TFileListModel* FFileList;
    // The listed folder, indexed at most once per load, when a preview first
    // plans (browsing folders before an operation is chosen costs nothing).
    TRenamePlanner FPlanner;
    bool FIndexed = false;
    // The renames of the last apply that renamed something; memory only.
    TRenameJournal FJournal;
    QString FReportSummary;
    std::vector<TRenameReportForm::TRow> FReportRows;
    TRenameReportForm* FReportForm = nullptr;

    // One step of the operation on one entry.
    struct TStep {
        bool Named = false;    // false: the operation gives this entry no name
        bool Failed = false;   // apply only: the rename was refused
        QString Name;
    };

    void BuildControls();
    void ConnectHandlers();

    void FillFileList();
    void SetOpCode(quint32 code);
    void SelectFileNameOp();
    void SelectExtNameOp();
    void SelectReplaceOp();
    void SelectNumberOp();
    void SelectRemoveOp();
    void SelectInsertOp();
    // In a preview writes the name into the row's cell unless `quiet`.
    TStep ProcessItem(int index, bool apply, bool quiet = false);
    TStep NumberItem(TRenameFile* item, bool apply);
    TRenamePlanner& Planner();
    void IndexFolder();
    void ShowPlan(bool named, TRenamePlan plan);
    void ShowResult(const QString& status, const QString& summary, std::vector<TRenameReportForm::TRow> rows);
    void ClearResult();
    void UpdateUndo();
};

extern TMainForm* MainForm;
