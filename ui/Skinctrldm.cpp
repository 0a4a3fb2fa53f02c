#include "ui/Skinctrldm.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPixmap>

TSkinCtrlModule* SkinCtrlModule = nullptr;

namespace {

struct TSkinTextEntry {
    const char* Key;
    const char* Text;   // UTF-8
};

// The caption bar and text-field entries come first, then the texts of the
// skin's own dialogs, which this program never opens but keeps complete.
constexpr TSkinTextEntry SkinTexts[] = {
    {"MI_MINCAPTION", "最小化(&N)"},
    {"MI_MAXCAPTION", "最大化(&X)"},
    {"MI_CLOSECAPTION", "关闭(&C)"},
    {"MI_RESTORECAPTION", "还原(&R)"},
    {"MI_MINTOTRAYCAPTION", "最小化到托盘(&T)"},
    {"MI_ROLLUPCAPTION", "收缩(&L)"},
    {"MINBUTTON_HINT", "最小化"},
    {"MAXBUTTON_HINT", "最大化"},
    {"CLOSEBUTTON_HINT", "关闭"},
    {"TRAYBUTTON_HINT", "最小化到托盘"},
    {"ROLLUPBUTTON_HINT", "收缩"},
    {"MENUBUTTON_HINT", "系统菜单"},
    {"RESTORE_HINT", "还原"},
    {"EDIT_UNDO", "撤销"},
    {"EDIT_COPY", "复制"},
    {"EDIT_CUT", "剪切"},
    {"EDIT_PASTE", "粘贴"},
    {"EDIT_DELETE", "删除"},
    {"EDIT_SELECTALL", "全部选择"},

    {"MSG_BTN_YES", "是"},
    {"MSG_BTN_NO", "否"},
    {"MSG_BTN_OK", "确定"},
    {"MSG_BTN_CANCEL", "取消"},
    {"MSG_BTN_ABORT", "中止"},
    {"MSG_BTN_RETRY", "重试"},
    {"MSG_BTN_IGNORE", "忽略"},
    {"MSG_BTN_ALL", "全部"},
    {"MSG_BTN_NOTOALL", "全部否"},
    {"MSG_BTN_YESTOALL", "全部是"},
    {"MSG_BTN_HELP", "帮助"},
    {"MSG_BTN_OPEN", "打开"},
    {"MSG_BTN_SAVE", "保存"},
    {"MSG_BTN_CLOSE", "关闭"},
    {"MSG_BTN_BACK_HINT", "返回"},
    {"MSG_BTN_UP_HINT", "向上一级"},
    {"MSG_BTN_NEWFOLDER_HINT", "新建文件夹"},
    {"MSG_BTN_VIEWMENU_HINT", "查看菜单"},
    {"MSG_BTN_STRETCH_HINT", "拉伸"},
    {"MSG_FILENAME", "文件名："},
    {"MSG_FILETYPE", "文件类型："},
    {"MSG_NEWFOLDER", "新建文件夹"},
    {"MSG_LV_DETAILS", "详细信息"},
    {"MSG_LV_ICON", "大图标"},
    {"MSG_LV_SMALLICON", "小图标"},
    {"MSG_LV_LIST", "列表"},
    {"MSG_PREVIEWSKIN", "预览皮肤"},
    {"MSG_PREVIEWBUTTON", "按钮"},
    {"MSG_OVERWRITE", "文件已存在，要替换它吗？"},
    {"MSG_CAP_WARNING", "警告"},
    {"MSG_CAP_ERROR", "错误"},
    {"MSG_CAP_INFORMATION", "提示"},
    {"MSG_CAP_CONFIRM", "确认"},
    {"MSG_CAP_SHOWFLAG", "不再显示此消息"},
    {"CALC_CAP", "计算器"},
    {"ERROR", "错误"},
    {"COLORGRID_CAP", "基本颜色"},
    {"CUSTOMCOLORGRID_CAP", "自定义颜色"},
    {"ADDCUSTOMCOLORBUTTON_CAP", "添加到自定义颜色"},
    {"FONTDLG_COLOR", "颜色："},
    {"FONTDLG_NAME", "名称："},
    {"FONTDLG_SIZE", "大小："},
    {"FONTDLG_HEIGHT", "高度："},
    {"FONTDLG_EXAMPLE", "示例"},
    {"FONTDLG_STYLE", "字形"},
    {"FONTDLG_SCRIPT", "字符集："},
    {"DB_DELETE_QUESTION", "删除这条记录吗？"},
    {"DB_MULTIPLEDELETE_QUESTION", "删除所有选中的记录吗？"},
    {"NODISKINDRIVE", "驱动器中没有磁盘，或驱动器未就绪"},
    {"NOVALIDDRIVEID", "驱动器号无效"},
    {"FLV_NAME", "名称"},
    {"FLV_SIZE", "大小"},
    {"FLV_TYPE", "类型"},
    {"FLV_LOOKIN", "查找范围："},
    {"FLV_MODIFIED", "修改日期"},
    {"FLV_ATTRIBUTES", "属性"},
    {"FLV_DISKSIZE", "总大小"},
    {"FLV_FREESPACE", "可用空间"},
    {"PRNDLG_NAME", "名称："},
    {"PRNDLG_PRINTER", "打印机"},
    {"PRNDLG_PROPERTIES", "属性..."},
    {"PRNDLG_TYPE", "类型："},
    {"PRNDLG_STATUS", "状态："},
    {"PRNDLG_WHERE", "位置："},
    {"PRNDLG_COMMENT", "备注："},
    {"PRNDLG_PRINTRANGE", "打印范围"},
    {"PRNDLG_COPIES", "副本"},
    {"PRNDLG_NUMCOPIES", "份数："},
    {"PRNDLG_COLLATE", "逐份打印"},
    {"PRNDLG_ALL", "全部"},
    {"PRNDLG_PAGES", "页码范围"},
    {"PRNDLG_SELECTION", "选定范围"},
    {"PRNDLG_PRINTTOFILE", "打印到文件"},
    {"PRNDLG_FROM", "从："},
    {"PRNDLG_TO", "到："},
    {"PRNDLG_ORIENTATION", "方向"},
    {"PRNDLG_PAPER", "纸张"},
    {"PRNDLG_PORTRAIT", "纵向"},
    {"PRNDLG_LANDSCAPE", "横向"},
    {"PRNDLG_SOURCE", "来源："},
    {"PRNDLG_SIZE", "大小："},
    {"PRNDLG_MARGINS", "页边距（毫米）"},
    {"PRNDLG_MARGINS_INCHES", "页边距（英寸）"},
    {"PRNDLG_LEFT", "左："},
    {"PRNDLG_RIGHT", "右："},
    {"PRNDLG_TOP", "上："},
    {"PRNDLG_BOTTOM", "下："},
    {"PRNDLG_WARNING", "没有安装打印机。"},
    {"FIND_NEXT", "查找下一个"},
    {"FIND_WHAT", "查找内容："},
    {"FIND_DIRECTION", "方向"},
    {"FIND_DIRECTIONUP", "向上"},
    {"FIND_DIRECTIONDOWN", "向下"},
    {"FIND_MATCH_CASE", "区分大小写"},
    {"FIND_MATCH_WHOLE_WORD_ONLY", "全字匹配"},
    {"FIND_REPLACE_WITH", "替换为："},
    {"FIND_REPLACE", "替换"},
    {"FIND_REPLACE_All", "全部替换"},
    {"FIND_REPLACE_CLOSE", "关闭"},
    {"MORECOLORS", "其他颜色..."},
    {"AUTOCOLOR", "自动"},
    {"CUSTOMCOLOR", "自定义..."},
    {"DBNAV_FIRST", "第一条记录"},
    {"DBNAV_PRIOR", "上一条记录"},
    {"DBNAV_NEXT", "下一条记录"},
    {"DBNAV_LAST", "最后一条记录"},
    {"DBNAV_INSERT", "插入记录"},
    {"DBNAV_DELETE", "删除记录"},
    {"DBNAV_EDIT", "编辑记录"},
    {"DBNAV_POST", "保存修改"},
    {"DBNAV_CANCEL", "取消修改"},
    {"DBNAV_REFRESH", "刷新数据"},
};

// Light blue, flat, compact enough for the 92-pixel operation strip.
const char* const SkinStyleSheet = R"css(
TMainForm, TAboutForm, TRenameReportForm { background: #2f6bb5; }
QWidget#SkinClient { background: #eef3fa; }
TCaptionBar {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #6fa8e6, stop:1 #2f6bb5);
}
TCaptionBar QLabel#captionTitle { color: white; font-size: 12px; font-weight: bold; }
TCaptionBar QToolButton { border: none; background: transparent; padding: 1px; }
TCaptionBar QToolButton:hover { background: rgba(255, 255, 255, 70); border-radius: 3px; }
TCaptionBar QToolButton#captionClose:hover { background: #d9453a; }
QFrame#bsSkinPanel1 { background: #e3ecf8; border-bottom: 1px solid #b5cbe6; }
QFrame#bsSkinPanel2, QFrame#bsSkinPanel5 { background: transparent; }
QFrame#bsSkinPanel3, QFrame#bsSkinPanel4 { background: white; border: 1px solid #8fb0d8; }
QFrame#bsSkinStatusBar1 { background: #e3ecf8; border: none; border-top: 1px solid #b5cbe6; }
QFrame#bsSkinStatusBar1 QLabel { padding: 0px 4px; }
QPushButton#btnReport { border: none; background: transparent; color: #1f66c2; text-decoration: underline; padding: 0px 4px; }
QPushButton#btnReport:hover { color: #3d7cc9; }
QSplitter#bsSkinSplitter1::handle { background: #dbe6f4; }
QLabel, QRadioButton, QPushButton, QLineEdit, QComboBox, QSpinBox, QTabBar,
QTreeView, QTableView, QHeaderView, QMenu, QToolTip { font-size: 12px; color: #1c3553; }
QPushButton {
    border: 1px solid #7fa3cf; border-radius: 3px;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #d5e4f6);
}
QPushButton:hover { border-color: #3d7cc9; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #e6effb); }
QPushButton:pressed { background: #c3d7f0; }
QPushButton:disabled { color: #9aa8b8; border-color: #c6d2df; background: #eef1f5; }
QPushButton:default { border-color: #2f6bb5; }
QRadioButton { spacing: 4px; }
QRadioButton:disabled, QLabel:disabled { color: #9aa8b8; }
QLineEdit, QComboBox {
    border: 1px solid #8fb0d8; background: white; padding: 0px 2px;
    selection-background-color: #3d7cc9; selection-color: white;
}
QLineEdit:focus, QComboBox:focus { border-color: #3d7cc9; }
QLineEdit:disabled, QComboBox:disabled { background: #eef1f5; color: #9aa8b8; border-color: #c6d2df; }
QSpinBox { selection-background-color: #3d7cc9; selection-color: white; }
QSpinBox:disabled { color: #9aa8b8; }
QTabWidget#pgcOp::pane { border: 1px solid #8fb0d8; background: #f7faff; top: -1px; }
QTabBar::tab {
    height: 18px; padding: 0px 7px; margin-right: 1px;
    border: 1px solid #8fb0d8; border-bottom: none;
    border-top-left-radius: 3px; border-top-right-radius: 3px; background: #d5e3f5;
}
QTabBar::tab:selected { background: #f7faff; }
QTabBar::tab:hover:!selected { background: #e6effb; }
QTreeView, QTableView { background: white; border: none; selection-background-color: #3d7cc9; selection-color: white; }
QHeaderView::section {
    background: #e3ecf8; border: none; padding: 2px 4px;
    border-right: 1px solid #b5cbe6; border-bottom: 1px solid #b5cbe6;
}
QMenu { background: white; border: 1px solid #7fa3cf; }
QMenu::item { padding: 3px 24px 3px 20px; }
QMenu::item:selected { background: #3d7cc9; color: white; }
QMenu::item:disabled { color: #9aa8b8; }
QMenu::separator { height: 1px; background: #c6d2df; margin: 3px 6px; }
QToolTip { background: #fffbe6; border: 1px solid #c9b97a; }
TLinkLabel { text-decoration: underline; }
TLinkLabel:hover { color: #1f66c2; }
)css";

} // namespace

TSkinCtrlModule::TSkinCtrlModule(QObject* owner)
    : QObject(owner), bsResourceStrData1(new TStringList), bsCompressedStoredSkin1(StyleSheet())
{
    setObjectName(QStringLiteral("SkinCtrlModule"));
    for (const TSkinTextEntry& e : SkinTexts)
        bsResourceStrData1->Add(QString::fromUtf8(e.Key) + u'=' + QString::fromUtf8(e.Text));
    if (qApp) {
        QFont font = FormFont();
        font.setPixelSize(12);
        QApplication::setFont(font);
        qApp->setStyleSheet(bsCompressedStoredSkin1);
        qApp->installEventFilter(this);
    }
    if (!SkinCtrlModule)
        SkinCtrlModule = this;
}

TSkinCtrlModule::~TSkinCtrlModule()
{
    if (SkinCtrlModule == this)
        SkinCtrlModule = nullptr;
    if (qApp)
        qApp->setStyleSheet(QString());
    delete bsResourceStrData1;
}

QString TSkinCtrlModule::SkinText(const QString& key)
{
    for (const TSkinTextEntry& e : SkinTexts) {
        if (key == QLatin1String(e.Key))
            return QString::fromUtf8(e.Text);
    }
    return QString();
}

int TSkinCtrlModule::SkinTextCount()
{
    return static_cast<int>(std::size(SkinTexts));
}

QString TSkinCtrlModule::StyleSheet()
{
    return QString::fromUtf8(SkinStyleSheet);
}

QFont TSkinCtrlModule::FormFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("WenQuanYi Micro Hei"),
                      QStringLiteral("Noto Sans CJK SC")});
    font.setPixelSize(14);
    return font;
}

QIcon TSkinCtrlModule::AppIcon()
{
    // A small drawn mark, so the program needs no image files.
    QIcon icon;
    for (const int size : {16, 32, 48}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x2f, 0x6b, 0xb5));
        p.drawRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), size / 5.0, size / 5.0);
        p.setBrush(QColor(0xf5, 0xb9, 0x42));
        p.drawRect(QRectF(size * 0.2, size * 0.62, size * 0.6, size * 0.14));
        QFont f = p.font();
        f.setBold(true);
        f.setPixelSize(size * 5 / 8);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRectF(0, -size * 0.08, size, size * 0.8), Qt::AlignCenter, QStringLiteral("R"));
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

QMenu* TSkinCtrlModule::CreateEditMenu(QLineEdit* edit, QWidget* parent)
{
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("EditMenu"));
    const bool writable = !edit->isReadOnly();
    const bool plain = edit->echoMode() == QLineEdit::Normal;
    const bool selected = edit->hasSelectedText();

    QAction* undo = menu->addAction(SkinText(QStringLiteral("EDIT_UNDO")), edit, &QLineEdit::undo);
    undo->setEnabled(writable && edit->isUndoAvailable());
    menu->addSeparator();
    QAction* cut = menu->addAction(SkinText(QStringLiteral("EDIT_CUT")), edit, &QLineEdit::cut);
    cut->setEnabled(writable && selected && plain);
    QAction* copy = menu->addAction(SkinText(QStringLiteral("EDIT_COPY")), edit, &QLineEdit::copy);
    copy->setEnabled(selected && plain);
    QAction* paste = menu->addAction(SkinText(QStringLiteral("EDIT_PASTE")), edit, &QLineEdit::paste);
    paste->setEnabled(writable && QGuiApplication::clipboard() && !QGuiApplication::clipboard()->text().isEmpty());
    QAction* del = menu->addAction(SkinText(QStringLiteral("EDIT_DELETE")), edit, &QLineEdit::del);
    del->setEnabled(writable && selected);
    menu->addSeparator();
    QAction* all = menu->addAction(SkinText(QStringLiteral("EDIT_SELECTALL")), edit, &QLineEdit::selectAll);
    all->setEnabled(!edit->text().isEmpty() && edit->selectedText() != edit->text());
    return menu;
}

bool TSkinCtrlModule::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ContextMenu || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->contextMenuPolicy() != Qt::DefaultContextMenu)
        return false;
    auto* edit = qobject_cast<QLineEdit*>(widget);
    if (!edit) {
        // A spin box takes the menu event itself; its text field is its child.
        if (auto* spin = qobject_cast<QAbstractSpinBox*>(widget))
            edit = spin->findChild<QLineEdit*>();
    }
    if (!edit)
        return false;
    QMenu* menu = CreateEditMenu(edit, edit);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
    return true;
}
