#include "ui/Mainformfm.h"

#include "engine/Renamefile.h"
#include "platform/DirSearch.h"
#include "platform/FileRename.h"
#include "services/QelAdImage.h"
#include "services/QelCheckUpdate.h"
#include "services/QelNet.h"
#include "support/QelDialogs.h"
#include "support/QelFile.h"
#include "ui/Aboutformfm.h"
#include "ui/Application.h"
#include "ui/DirTree.h"
#include "ui/FileListModel.h"
#include "ui/Placement.h"
#include "ui/RenameTexts.h"
#include "ui/SkinForm.h"
#include "ui/Skinctrldm.h"

#include <QAction>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>

TMainForm* MainForm = nullptr;

namespace {

// A number wider than this could never be part of a file name (NAME_MAX is
// 255 bytes); padding stops here instead of building gigabyte strings.
constexpr int MaxNumberWidth = 256;

QLabel* PlaceLabel(QWidget* parent, const char* name, int left, int top, const QString& text)
{
    QLabel* label = Place<QLabel>(parent, name, left, top);
    label->setText(text);
    label->adjustSize();
    return label;
}

QPushButton* PlaceButton(QWidget* parent, const char* name, int left, int top, const QString& text)
{
    QPushButton* button = Place<QPushButton>(parent, name, left, top, 75, 25);
    button->setText(text);
    return button;
}

QRadioButton* PlaceRadio(QWidget* parent, const char* name, int left, int top, int width, const QString& text)
{
    QRadioButton* radio = Place<QRadioButton>(parent, name, left, top, width, 25);
    radio->setText(text);
    return radio;
}

QLineEdit* PlaceEdit(QWidget* parent, const char* name, int left, int top, int width)
{
    return Place<QLineEdit>(parent, name, left, top, width, 18);
}

QSpinBox* PlaceSpin(QWidget* parent, const char* name, int left, int top, int width, int min, int max)
{
    QSpinBox* spin = Place<QSpinBox>(parent, name, left, top, width, 20);
    spin->setRange(min, max);
    spin->setSingleStep(1);
    spin->setValue(1);
    return spin;
}

QComboBox* PlaceCombo(QWidget* parent, const char* name, int left, int top, int width, const QStringList& items)
{
    QComboBox* combo = Place<QComboBox>(parent, name, left, top, width, 20);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);   // typing never adds items
    combo->addItems(items);
    combo->setCurrentIndex(0);
    return combo;
}

QWidget* AddPage(QTabWidget* pages, const char* name, const QString& caption)
{
    auto* page = new QWidget;
    page->setObjectName(QLatin1String(name));
    pages->addTab(page, caption);
    return page;
}

QFrame* MakePanel(QWidget* parent, const char* name, bool framed)
{
    auto* panel = new QFrame(parent);
    panel->setObjectName(QLatin1String(name));
    panel->setFrameShape(framed ? QFrame::StyledPanel : QFrame::NoFrame);
    return panel;
}

// The folder a dropped path stands for: the folder itself, or the folder of a
// file; "" for nothing that exists.
QString DroppedFolder(const QString& path)
{
    if (path.isEmpty())
        return QString();
    const QFileInfo info(path);
    if (info.isDir())
        return info.absoluteFilePath();
    if (info.exists() || info.isSymLink())
        return info.absolutePath();
    return QString();
}

} // namespace

TMainForm::TMainForm(QWidget* owner)
    : QWidget(owner, Qt::Window), FRenameFiles(new TRenameFiles), FNet(std::make_shared<qel::TNetProbeFlags>()),
      FFileList(new TFileListModel(this))
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Ralvinor"));
    setWindowIcon(TSkinCtrlModule::AppIcon());
    setFont(TSkinCtrlModule::FormFont());
    // The first window made is the main window: the one boxes belong to.
    if (!qel::MainForm())
        qel::SetMainForm(this);

    setAcceptDrops(true);
    BuildControls();
    ConnectHandlers();

    bsBusinessSkinForm1->SetClientSize(QSize(826, 523));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    tmrAdTimer->start();
}

TMainForm::~TMainForm()
{
    delete FRenameFiles;
}

void TMainForm::BuildControls()
{
    bsBusinessSkinForm1 = new TSkinForm(this, {{.Icon = true, .MinButton = true, .MaxButton = true}, true});
    QWidget* client = bsBusinessSkinForm1->Client;
    auto* clientLayout = new QVBoxLayout(client);
    clientLayout->setContentsMargins(0, 0, 0, 0);
    clientLayout->setSpacing(0);

    // Top strip: the operation pages, and on the right the buttons and filter.
    bsSkinPanel1 = MakePanel(client, "bsSkinPanel1", false);
    bsSkinPanel1->setFixedHeight(92);
    clientLayout->addWidget(bsSkinPanel1);
    auto* topLayout = new QHBoxLayout(bsSkinPanel1);
    topLayout->setContentsMargins(0, 0, 0, 0);
    topLayout->setSpacing(0);

    bsSkinPanel5 = MakePanel(bsSkinPanel1, "bsSkinPanel5", false);
    bsSkinPanel5->setFixedWidth(402);

    QelAdImage1 = Place<TQelAdImage>(bsSkinPanel5, "QelAdImage1", 176, 3, 220, 60);
    QelAdImage1->setCursor(Qt::PointingHandCursor);
    QelAdImage1->SetAdInterval(6000);
    QelAdImage1->hide();
    btnPri = PlaceButton(bsSkinPanel5, "btnPri", 6, 3, QStringLiteral("预览"));
    btnApp = PlaceButton(bsSkinPanel5, "btnApp", 6, 38, QStringLiteral("应用"));
    btnApp->setEnabled(false);
    btnRefresh = PlaceButton(bsSkinPanel5, "btnRefresh", 95, 3, QStringLiteral("刷新"));
    lbl1 = PlaceLabel(bsSkinPanel5, "lbl1", 18, 72, QStringLiteral("文件过滤"));
    cbbExt = PlaceCombo(bsSkinPanel5, "cbbExt", 96, 69, 74,
                        {"*.*", "*.txt", "*.bmp", "*.jpg", "*.jpeg", "*.png", "*.gif", "*.htm", "*.html", "*.mp3",
                         "*.mp4", "*.rmvb", "*.avi", "*.ico"});
    cbbExt->setMaxVisibleItems(8);

    pgcOp = new QTabWidget(bsSkinPanel1);
    pgcOp->setObjectName(QStringLiteral("pgcOp"));
    pgcOp->setUsesScrollButtons(false);
    topLayout->addWidget(pgcOp, 1);
    topLayout->addWidget(bsSkinPanel5);

    tabFileName = AddPage(pgcOp, "tabFileName", QStringLiteral("主文件名"));
    crbFileNameLower = PlaceRadio(tabFileName, "crbFileNameLower", 19, 18, 94, QStringLiteral("全部小写"));
    crbFileNameUpper = PlaceRadio(tabFileName, "crbFileNameUpper", 119, 18, 94, QStringLiteral("全部大写"));
    crbFileNameFirstUpper = PlaceRadio(tabFileName, "crbFileNameFirstUpper", 219, 18, 94, QStringLiteral("首字母大写"));

    tabExtName = AddPage(pgcOp, "tabExtName", QStringLiteral("扩展名"));
    crbExtNameLower = PlaceRadio(tabExtName, "crbExtNameLower", 19, 18, 94, QStringLiteral("全部小写"));
    crbExtNameUpper = PlaceRadio(tabExtName, "crbExtNameUpper", 119, 18, 94, QStringLiteral("全部大写"));
    crbNewExtName = PlaceRadio(tabExtName, "crbNewExtName", 219, 18, 94, QStringLiteral("新扩展名"));
    cbbNewExtName = PlaceCombo(tabExtName, "cbbNewExtName", 311, 18, 98,
                               {".txt", ".bmp", ".jpg", ".jpeg", ".png", ".gif", ".htm", ".html", ".mp3", ".mp4",
                                ".rmvb", ".avi", ".ico"});
    cbbNewExtName->setEnabled(false);

    tabReplace = AddPage(pgcOp, "tabReplace", QStringLiteral("替换"));
    lbl2 = PlaceLabel(tabReplace, "lbl2", 16, 15, QStringLiteral("查找字符串"));
    edtFindString = PlaceEdit(tabReplace, "edtFindString", 16, 34, 185);
    lbl3 = PlaceLabel(tabReplace, "lbl3", 228, 15, QStringLiteral("替换字符串"));
    edtReplaceString = PlaceEdit(tabReplace, "edtReplaceString", 228, 34, 185);

    tabNum = AddPage(pgcOp, "tabNum", QStringLiteral("序号"));
    crbNumberFileName = PlaceRadio(tabNum, "crbNumberFileName", 16, 3, 81, QStringLiteral("主文件名"));
    crbNumberExtName = PlaceRadio(tabNum, "crbNumberExtName", 103, 3, 66, QStringLiteral("扩展名"));
    lbl6 = PlaceLabel(tabNum, "lbl6", 16, 27, QStringLiteral("开始"));
    edtNumberStart = PlaceSpin(tabNum, "edtNumberStart", 16, 46, 57, INT_MIN, INT_MAX);
    lbl7 = PlaceLabel(tabNum, "lbl7", 87, 27, QStringLiteral("增量"));
    edtNumberPlue = PlaceSpin(tabNum, "edtNumberPlue", 87, 46, 66, INT_MIN, INT_MAX);
    lbl8 = PlaceLabel(tabNum, "lbl8", 169, 27, QStringLiteral("位数"));
    edtNumberBit = PlaceSpin(tabNum, "edtNumberBit", 169, 46, 59, INT_MIN, INT_MAX);
    lbl9 = PlaceLabel(tabNum, "lbl9", 258, 9, QStringLiteral("前缀"));
    edtNumberPrefix = PlaceEdit(tabNum, "edtNumberPrefix", 296, 6, 121);
    lbl10 = PlaceLabel(tabNum, "lbl10", 258, 50, QStringLiteral("后缀"));
    edtNumberSuffix = PlaceEdit(tabNum, "edtNumberSuffix", 296, 47, 121);

    tabRemove = AddPage(pgcOp, "tabRemove", QStringLiteral("删除"));
    crbRemoveString = PlaceRadio(tabRemove, "crbRemoveString", 16, 3, 104, QStringLiteral("删除字符串"));
    edtRemoveString = PlaceEdit(tabRemove, "edtRemoveString", 126, 6, 158);
    edtRemoveString->setEnabled(false);
    crbRemoveStringExt = PlaceRadio(tabRemove, "crbRemoveStringExt", 16, 43, 104, QStringLiteral("扩展删除"));
    lbl4 = PlaceLabel(tabRemove, "lbl4", 126, 30, QStringLiteral("开始位置"));
    edtRemoveStringExtFirst = PlaceSpin(tabRemove, "edtRemoveStringExtFirst", 126, 46, 70, 1, 1000);
    edtRemoveStringExtFirst->setEnabled(false);
    lbl5 = PlaceLabel(tabRemove, "lbl5", 212, 30, QStringLiteral("删除字符数量"));
    edtRemoveStringExtNum = PlaceSpin(tabRemove, "edtRemoveStringExtNum", 212, 46, 70, 1, 1000);
    edtRemoveStringExtNum->setEnabled(false);

    tabAdd = AddPage(pgcOp, "tabAdd", QStringLiteral("添加"));
    lbl11 = PlaceLabel(tabAdd, "lbl11", 16, 18, QStringLiteral("添加的字符"));
    edtInsertString = PlaceEdit(tabAdd, "edtInsertString", 99, 15, 129);
    lbl12 = PlaceLabel(tabAdd, "lbl12", 259, 18, QStringLiteral("开始位置"));
    edtInsertPos = PlaceSpin(tabAdd, "edtInsertPos", 321, 13, 64, INT_MIN, INT_MAX);

    tabHelp = AddPage(pgcOp, "tabHelp", QStringLiteral("帮助"));
    btnAbout = PlaceButton(tabHelp, "btnAbout", 24, 18, QStringLiteral("关于"));
    pgcOp->setCurrentIndex(pageFileName);

    // Below: the folder tree and the file list, side by side.
    bsSkinPanel2 = MakePanel(client, "bsSkinPanel2", false);
    clientLayout->addWidget(bsSkinPanel2, 1);
    auto* bottomLayout = new QHBoxLayout(bsSkinPanel2);
    bottomLayout->setContentsMargins(0, 0, 0, 0);
    bsSkinSplitter1 = new QSplitter(Qt::Horizontal, bsSkinPanel2);
    bsSkinSplitter1->setObjectName(QStringLiteral("bsSkinSplitter1"));
    bsSkinSplitter1->setHandleWidth(10);
    bsSkinSplitter1->setChildrenCollapsible(false);
    bottomLayout->addWidget(bsSkinSplitter1);

    bsSkinPanel3 = MakePanel(bsSkinSplitter1, "bsSkinPanel3", true);
    auto* treeLayout = new QVBoxLayout(bsSkinPanel3);
    treeLayout->setContentsMargins(1, 1, 1, 1);
    tvDirTree = new TDirTree(bsSkinPanel3);
    tvDirTree->setObjectName(QStringLiteral("tvDirTree"));
    treeLayout->addWidget(tvDirTree);
    bsSkinScrollBar1 = tvDirTree->horizontalScrollBar();
    bsSkinScrollBar1->setObjectName(QStringLiteral("bsSkinScrollBar1"));
    bsSkinScrollBar2 = tvDirTree->verticalScrollBar();
    bsSkinScrollBar2->setObjectName(QStringLiteral("bsSkinScrollBar2"));

    bsSkinPanel4 = MakePanel(bsSkinSplitter1, "bsSkinPanel4", true);
    auto* listLayout = new QVBoxLayout(bsSkinPanel4);
    listLayout->setContentsMargins(1, 1, 1, 1);
    // A table, not a tree: its rows need no layout of their own, so 100,000
    // of them cost nothing until they are on screen.
    lvFiles = new QTableView(bsSkinPanel4);
    lvFiles->setObjectName(QStringLiteral("lvFiles"));
    lvFiles->setModel(FFileList);
    lvFiles->verticalHeader()->hide();
    lvFiles->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    lvFiles->verticalHeader()->setDefaultSectionSize(lvFiles->fontMetrics().height() + 4);
    lvFiles->setShowGrid(false);
    lvFiles->setWordWrap(false);
    lvFiles->setSortingEnabled(false);
    lvFiles->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvFiles->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvFiles->setSelectionMode(QAbstractItemView::SingleSelection);
    lvFiles->horizontalHeader()->setHighlightSections(false);
    lvFiles->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lvFiles->horizontalHeader()->setStretchLastSection(false);
    lvFiles->horizontalHeader()->setSectionsMovable(false);
    lvFiles->horizontalHeader()->resizeSection(TFileListModel::ColFileName, 260);
    lvFiles->horizontalHeader()->resizeSection(TFileListModel::ColPreview, 260);
    listLayout->addWidget(lvFiles, 1);
    lvFiles->setContextMenuPolicy(Qt::CustomContextMenu);

    bsSkinStatusBar1 = MakePanel(bsSkinPanel4, "bsSkinStatusBar1", false);
    bsSkinStatusBar1->setFixedHeight(22);
    auto* statusLayout = new QHBoxLayout(bsSkinStatusBar1);
    statusLayout->setContentsMargins(2, 0, 2, 0);
    statusLayout->setSpacing(8);
    lblPlan = new QLabel(bsSkinStatusBar1);
    lblPlan->setObjectName(QStringLiteral("lblPlan"));
    lblPlan->setTextFormat(Qt::PlainText);
    lblResult = new QLabel(bsSkinStatusBar1);
    lblResult->setObjectName(QStringLiteral("lblResult"));
    lblResult->setTextFormat(Qt::PlainText);
    btnReport = new QPushButton(QStringLiteral("查看报告"), bsSkinStatusBar1);
    btnReport->setObjectName(QStringLiteral("btnReport"));
    btnReport->setCursor(Qt::PointingHandCursor);
    btnReport->setFlat(true);
    btnReport->setFocusPolicy(Qt::NoFocus);
    btnReport->hide();
    statusLayout->addWidget(lblPlan);
    statusLayout->addStretch(1);
    statusLayout->addWidget(lblResult);
    statusLayout->addWidget(btnReport);
    listLayout->addWidget(bsSkinStatusBar1);

    actUndoRename = new QAction(QStringLiteral("撤销重命名"), this);
    actUndoRename->setObjectName(QStringLiteral("actUndoRename"));
    actUndoRename->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    actUndoRename->setEnabled(false);
    addAction(actUndoRename);   // Ctrl+Z anywhere in the window but a text field
    pmFiles = new QMenu(this);
    pmFiles->setObjectName(QStringLiteral("pmFiles"));
    pmFiles->addAction(actUndoRename);
    bsSkinScrollBar3 = lvFiles->verticalScrollBar();
    bsSkinScrollBar3->setObjectName(QStringLiteral("bsSkinScrollBar3"));
    bsSkinScrollBar4 = lvFiles->horizontalScrollBar();
    bsSkinScrollBar4->setObjectName(QStringLiteral("bsSkinScrollBar4"));

    bsSkinSplitter1->setStretchFactor(0, 0);
    bsSkinSplitter1->setStretchFactor(1, 1);
    bsSkinSplitter1->setSizes({249, 826 - 249 - 10});

    tmrAdTimer = new QTimer(this);
    tmrAdTimer->setObjectName(QStringLiteral("tmrAdTimer"));
    tmrAdTimer->setInterval(2000);
    QelCheckUpdate1 = new TQelCheckUpdate(this);
    QelCheckUpdate1->setObjectName(QStringLiteral("QelCheckUpdate1"));
}

void TMainForm::ConnectHandlers()
{
    tvDirTree->OnClick = Guarded([this] { tvDirTreeClick(tvDirTree); });
    connect(cbbExt, &QComboBox::currentTextChanged, this, Guarded([this] { tvDirTreeClick(cbbExt); }));
    connect(btnRefresh, &QPushButton::clicked, this, Guarded([this] { btnRefreshClick(btnRefresh); }));
    connect(btnPri, &QPushButton::clicked, this, Guarded([this] { btnPriClick(btnPri); }));
    connect(pgcOp, &QTabWidget::currentChanged, this, Guarded([this] { pgcOpChange(pgcOp); }));
    // A radio button reports only becoming selected.
    for (QRadioButton* radio : {crbFileNameLower, crbFileNameUpper, crbFileNameFirstUpper, crbExtNameLower,
                                crbExtNameUpper, crbNewExtName, crbRemoveString, crbRemoveStringExt,
                                crbNumberFileName, crbNumberExtName}) {
        connect(radio, &QRadioButton::toggled, this, [this, radio](bool checked) {
            if (checked)
                TApplication::RunGuarded([this, radio] { pgcOpChange(radio); });
        });
    }
    connect(cbbNewExtName, &QComboBox::currentTextChanged, this, Guarded([this] { pgcOpChange(cbbNewExtName); }));
    connect(tmrAdTimer, &QTimer::timeout, this, Guarded([this] { tmrAdTimerTimer(tmrAdTimer); }));
    connect(btnAbout, &QPushButton::clicked, this, Guarded([this] { btnAboutClick(btnAbout); }));
    connect(btnApp, &QPushButton::clicked, this, Guarded([this] { btnAppClick(btnApp); }));
    connect(btnReport, &QPushButton::clicked, this, Guarded([this] { btnReportClick(btnReport); }));
    connect(actUndoRename, &QAction::triggered, this, Guarded([this] { actUndoRenameExecute(actUndoRename); }));
    connect(lvFiles, &QWidget::customContextMenuRequested, this, &TMainForm::lvFilesContextPopup);
}

void TMainForm::tvDirTreeClick(QObject* sender)
{
    if (tvDirTree->GetPath() != FListedPath)
        btnRefreshClick(sender);
}

void TMainForm::btnRefreshClick(QObject* sender)
{
    const QString mask = u'/' + cbbExt->currentText();
    // The rows let go of the old names first, so the reload can reuse their
    // memory instead of growing the heap around them.
    FFileList->Reset(QStringList());
    FRenameFiles->LoadFiles(tvDirTree->GetPath(), mask);
    FillFileList();
    const QString previous = FListedPath;
    FListedPath = tvDirTree->GetPath();
    if (FListedPath != previous) {
        // What was done in another folder is no longer what the user sees.
        FJournal.Clear();
        UpdateUndo();
        ClearResult();
    }
    FIndexed = false;   // indexed when a plan first needs it
    pgcOpChange(sender);
}

TRenamePlanner& TMainForm::Planner()
{
    if (!FIndexed) {
        IndexFolder();
        FIndexed = true;
    }
    return FPlanner;
}

void TMainForm::IndexFolder()
{
    if (FRenameFiles->GetCount() == 0) {
        FPlanner.SetFolder(QStringList(), QStringList(), false);
        return;
    }
    // Every entry may stand in a rename's way: hidden files, subfolders and
    // the files the filter leaves out too.
    const QString dir = FRenameFiles->GetItem(0)->Dir;
    const QStringList names = plat::ListNames(dir);
    FPlanner.SetFolder(names, FFileList->FileNames(), plat::IsCaseInsensitiveFolder(dir, names), plat::MaxNameBytes(dir));
}

void TMainForm::FillFileList()
{
    const int count = FRenameFiles->GetCount();
    QStringList names;
    names.reserve(count);
    for (int i = 0; i < count; ++i)
        names.append(FRenameFiles->GetItem(i)->GetFileName());
    FFileList->Reset(names);
    lblPlan->clear();
}

void TMainForm::pgcOpChange(QObject* sender)
{
    switch (pgcOp->currentIndex()) {
    case pageFileName:
        SelectFileNameOp();
        break;
    case pageExtName:
        SelectExtNameOp();
        break;
    case pageReplace:
        SelectReplaceOp();
        break;
    case pageNumber:
        SelectNumberOp();
        break;
    case pageRemove:
        SelectRemoveOp();
        break;
    case pageInsert:
        SelectInsertOp();
        break;
    default:
        break;   // the help page keeps the operation chosen before
    }
    btnPriClick(sender);
}

// With no radio button selected a page keeps the previous operation.
void TMainForm::SelectFileNameOp()
{
    if (crbFileNameLower->isChecked())
        SetOpCode(opBaseNameLower);
    else if (crbFileNameUpper->isChecked())
        SetOpCode(opBaseNameUpper);
    else if (crbFileNameFirstUpper->isChecked())
        SetOpCode(opBaseNameFirstUpper);
}

void TMainForm::SelectExtNameOp()
{
    cbbNewExtName->setEnabled(crbNewExtName->isChecked());
    if (crbExtNameLower->isChecked())
        SetOpCode(opExtNameLower);
    else if (crbExtNameUpper->isChecked())
        SetOpCode(opExtNameUpper);
    else if (crbNewExtName->isChecked())
        SetOpCode(opNewExtName);
}

void TMainForm::SelectReplaceOp()
{
    SetOpCode(opReplace);
}

void TMainForm::SelectNumberOp()
{
    SetOpCode(opNumber);
}

void TMainForm::SelectRemoveOp()
{
    edtRemoveString->setEnabled(crbRemoveString->isChecked());
    edtRemoveStringExtFirst->setEnabled(crbRemoveStringExt->isChecked());
    edtRemoveStringExtNum->setEnabled(crbRemoveStringExt->isChecked());
    if (crbRemoveString->isChecked())
        SetOpCode(opRemoveString);
    else if (crbRemoveStringExt->isChecked())
        SetOpCode(opRemoveStringExt);
}

void TMainForm::SelectInsertOp()
{
    SetOpCode(opInsert);
}

void TMainForm::SetOpCode(quint32 code)
{
    if (code == FOpCode)
        return;
    btnApp->setEnabled(false);
    FOpCode = code;
}

void TMainForm::btnPriClick(QObject*)
{
    if (FFileList->rowCount() == 0)
        return;
    btnApp->setEnabled(true);
    FNumber = edtNumberStart->value();
    FFileList->BeginUpdate();
    // Each name is planned as the pass makes it, while it is at hand. With
    // no operation chosen the pass names nothing, and the folder is not
    // indexed for it.
    TRenamePlanner* planner = PlanPreview && FOpCode != opNone ? &Planner() : nullptr;
    if (planner)
        planner->Begin(FFileList->Previews());
    bool named = false;
    for (int i = 0; i < FRenameFiles->GetCount(); ++i) {
        named = ProcessItem(i, false).Named || named;
        if (planner)
            planner->Step();   // a pass that names nothing is not shown
    }
    ShowPlan(named, planner ? planner->Finish() : TRenamePlan());
    FFileList->EndUpdate();
}

void TMainForm::ShowPlan(bool named, TRenamePlan plan)
{
    if (!PlanPreview) {
        FFileList->ClearMarks();
        lblPlan->clear();
        return;
    }
    if (!named) {
        // The pass names nothing: Apply will leave every file as it is.
        FFileList->ClearMarks();
        lblPlan->setText(PlanStatusText({0, FFileList->rowCount(), 0}));
        return;
    }
    lblPlan->setText(PlanStatusText(plan.Counts));
    FFileList->SetPlan(std::move(plan));
}

TMainForm::TStep TMainForm::ProcessItem(int index, bool apply, bool quiet)
{
    TRenameFile* item = FRenameFiles->GetItem(index);
    TStep step;
    bool& failed = step.Failed;
    QString& name = step.Name;
    switch (FOpCode) {
    case opBaseNameUpper:
        name = item->BaseNameUpper(apply, failed);
        break;
    case opBaseNameFirstUpper:
        name = item->BaseNameFirstUpper(apply, failed);
        break;
    case opBaseNameLower:
        name = item->BaseNameLower(apply, failed);
        break;
    case opExtNameUpper:
        name = item->ExtNameUpper(apply, failed);
        break;
    case opExtNameLower:
        name = item->ExtNameLower(apply, failed);
        break;
    case opNewExtName:
        name = item->NewExtName(cbbNewExtName->currentText(), apply, failed);
        break;
    case opReplace:
        name = item->ReplaceString(edtFindString->text(), edtReplaceString->text(), apply, failed);
        break;
    case opRemoveString:
        name = item->RemoveString(edtRemoveString->text(), apply, failed);
        break;
    case opRemoveStringExt:
        name = item->RemoveStringExt(edtRemoveStringExtFirst->value(), edtRemoveStringExtNum->value(), apply, failed);
        break;
    case opNumber:
        step = NumberItem(item, apply);
        break;
    case opInsert:
        name = item->InsertString(edtInsertString->text(), edtInsertPos->value(), apply, failed);
        break;
    default:
        return step;
    }
    if (FOpCode != opNumber)
        step.Named = true;
    if (step.Named && !apply && !quiet)
        FFileList->SetPreview(index, name);
    return step;
}

TMainForm::TStep TMainForm::NumberItem(TRenameFile* item, bool apply)
{
    QString number = QString::number(FNumber);
    const int width = std::min(edtNumberBit->value(), MaxNumberWidth);
    if (number.size() < width)
        number.prepend(QString(width - number.size(), u'0'));   // in front of the sign too

    const QString text = edtNumberPrefix->text() + number + edtNumberSuffix->text();
    TStep step;
    step.Named = true;
    if (crbNumberFileName->isChecked())
        step.Name = item->NewBaseName(text, apply, step.Failed);
    else if (crbNumberExtName->isChecked())
        step.Name = item->NewExtName(u'.' + text, apply, step.Failed);
    else
        step.Named = false;

    // Wraps around at the ends of the 32-bit range instead of overflowing.
    FNumber = static_cast<qint32>(static_cast<quint32>(FNumber) + static_cast<quint32>(edtNumberPlue->value()));
    return step;
}

void TMainForm::tmrAdTimerTimer(QObject*)
{
    // One probe at a time; its worker owns a share of the flags, never the window.
    if (!FNet->Checking.load(std::memory_order_acquire))
        qel::StartNetProbe(FNet, NetTargets.ProbeUrl);
    if (!FNet->Passed.load(std::memory_order_acquire))
        return;
    tmrAdTimer->stop();
    // The site's features are extras: whatever goes wrong starting them is
    // kept from the user, and neither is tried again.
    try {
        QelAdImage1->SetAdUrl(NetTargets.AdUrl);
        QelAdImage1->Execute();
        QelCheckUpdate1->SetID(NetTargets.Id);
        QelCheckUpdate1->SetVersion(NetTargets.Version);
        QelCheckUpdate1->SetUrl(NetTargets.Url);
        QelCheckUpdate1->SetGoto(NetTargets.Goto);
        QelCheckUpdate1->Execute();
    } catch (...) {
    }
}

void TMainForm::btnAboutClick(QObject*)
{
    qel::FormShowModal(new TAboutForm(this));
}

void TMainForm::btnAppClick(QObject* sender)
{
    if (FFileList->rowCount() == 0)
        return;
    if (!qel::AskBox(QStringLiteral("确定应用新文件名吗？"), QStringLiteral("更改文件名"), this))
        return;
    const int count = FRenameFiles->GetCount();
    // The names this pass gives, planned first: a refusal the plan foresees
    // is reported with its reason rather than the system's bare one.
    QStringList names;
    names.reserve(count);
    bool named = false;
    FNumber = edtNumberStart->value();
    for (int i = 0; i < count; ++i) {
        TStep step = ProcessItem(i, false, true);
        named = named || step.Named;
        names.append(std::move(step.Name));
    }
    const TRenamePlan plan = named ? Planner().Plan(names) : TRenamePlan();

    TRenameJournal journal;
    std::vector<TRenameReportForm::TRow> refused;
    int renamed = 0;
    FNumber = edtNumberStart->value();
    for (int i = 0; i < count; ++i) {
        TRenameFile* item = FRenameFiles->GetItem(i);
        const TStep step = ProcessItem(i, true);
        if (!step.Named || step.Name == item->FileName)
            continue;
        if (!step.Failed) {
            journal.Add(item->FullName, item->NewFullName);
            ++renamed;
            continue;
        }
        // The plan has a row for every file here, and foresees every name
        // the rename refuses before asking the disk.
        const QString reason = std::size_t(i) < plan.Rows.size() && plan.Rows[std::size_t(i)].Refused()
                                   ? PlanReason(plan, i, step.Name, FFileList->FileNames())
                                   : RenameErrorText(plat::LastRenameError(), step.Name);
        refused.push_back({item->FileName + QStringLiteral(" → ") + step.Name, reason});
    }

    btnRefreshClick(sender);
    // Kept past the reload even when it lists another folder: the renames
    // were made in this one. An apply that renamed nothing keeps the last.
    if (!journal.IsEmpty())
        FJournal = std::move(journal);
    UpdateUndo();
    const int failed = int(refused.size());
    ShowResult(ApplyStatusText(renamed, failed), QStringLiteral("以下 %1 个文件未能重命名：").arg(failed),
               std::move(refused));
}

void TMainForm::actUndoRenameExecute(QObject* sender)
{
    if (FJournal.IsEmpty())
        return;
    const int count = FJournal.Count();
    if (!qel::AskBox(QStringLiteral("确定撤销上次的重命名，将 %1 个文件恢复为原来的文件名吗？").arg(count),
                     QStringLiteral("撤销重命名"), this))
        return;
    const std::vector<TRenameJournal::TFailure> failures = FJournal.Undo();
    UpdateUndo();
    btnRefreshClick(sender);

    std::vector<TRenameReportForm::TRow> rows;
    rows.reserve(failures.size());
    for (const TRenameJournal::TFailure& f : failures)
        rows.push_back({f.Name, UndoFailureText(f)});
    const int failed = int(rows.size());
    ShowResult(UndoStatusText(count - failed, failed),
               QStringLiteral("以下 %1 个文件未能恢复原来的文件名：").arg(failed), std::move(rows));
    // Files left under the new names need the user's eye at once.
    if (failed > 0)
        btnReportClick(sender);
}

void TMainForm::ShowResult(const QString& status, const QString& summary, std::vector<TRenameReportForm::TRow> rows)
{
    lblResult->setText(status);
    btnReport->setVisible(!rows.empty());
    FReportSummary = summary;
    FReportRows = std::move(rows);
    if (FReportForm)
        FReportForm->SetReport(FReportSummary, FReportRows);
}

void TMainForm::ClearResult()
{
    ShowResult(QString(), QString(), {});
}

void TMainForm::UpdateUndo()
{
    actUndoRename->setEnabled(!FJournal.IsEmpty());
}

void TMainForm::btnReportClick(QObject*)
{
    if (!FReportForm)
        FReportForm = new TRenameReportForm(this);
    FReportForm->SetReport(FReportSummary, FReportRows);
    FReportForm->show();
    FReportForm->raise();
    FReportForm->activateWindow();
}

void TMainForm::lvFilesContextPopup(const QPoint& pos)
{
    pmFiles->popup(lvFiles->viewport()->mapToGlobal(pos));
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event)
{
    if (!DroppedFolder(qel::GetDragFileName(qel::TMessage(event->mimeData()))).isEmpty())
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event)
{
    event->acceptProposedAction();
    TApplication::RunGuarded([this, event] { FormDropFiles(qel::TMessage(*event)); });
}

void TMainForm::FormDropFiles(const qel::TMessage& msg)
{
    const QString folder = DroppedFolder(qel::GetDragFileName(msg));
    if (folder.isEmpty() || !tvDirTree->RevealPath(folder))
        return;
    btnRefreshClick(tvDirTree);
}
