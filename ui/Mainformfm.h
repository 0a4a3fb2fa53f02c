#pragma once

#include <QWidget>
#include <atomic>

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
    QWidget* QelAdImage1;   // stands in for the ad banner until it exists
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
    QPushButton* btnAbout;

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
    std::atomic<bool> FNetChecking{false};
    std::atomic<bool> FNetPassed{false};
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
