#pragma once

#include "ui/ProductInfo.h"

#include <QString>
#include <QWidget>
#include <memory>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QSpinBox;
class QSplitter;
class QTabWidget;
class QTimer;
class QTreeView;
class TDirTree;
class TFileListModel;
class TQelAdImage;
class TQelCheckUpdate;
namespace qel {
struct TNetProbeFlags;
}
class TRenameFile;
class TRenameFiles;
class TSkinForm;

// The main window: folder tree, file list with the preview column, the
// operation pages, Preview and Apply.
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
    QTreeView* lvFiles;
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

    void tvDirTreeClick(QObject* sender);
    void btnRefreshClick(QObject* sender);
    void btnPriClick(QObject* sender);
    void pgcOpChange(QObject* sender);
    void tmrAdTimerTimer(QObject* sender);
    void btnAboutClick(QObject* sender);
    void btnAppClick(QObject* sender);

    // The rows of lvFiles.
    TFileListModel* FileList() const { return FFileList; }
    TRenameFiles* RenameFiles() const { return FRenameFiles; }
    quint32 OpCode() const { return FOpCode; }

private:
    TRenameFiles* FRenameFiles;
    QString FListedPath;
    quint32 FOpCode = opNone;
    qint32 FNumber = 0;
    // FNetChecking and FNetPassed: written by the probe's worker, which may
    // still run when the window is gone, so they live in a shared block.
    std::shared_ptr<qel::TNetProbeFlags> FNet;
    TFileListModel* FFileList;

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
    void ProcessItem(int index, bool apply);
    void NumberItem(int row, TRenameFile* item, bool apply);
};

extern TMainForm* MainForm;
