#include "MainFormFixture.h"
#include "WindowTestUtil.h"
#include "common/TestUtil.h"

#include "engine/Renamefile.h"
#include "services/QelAdImage.h"
#include "ui/DirTree.h"
#include "ui/FileListModel.h"
#include "ui/Mainformfm.h"
#include "ui/Skinctrldm.h"

#include <QComboBox>
#include <QDir>
#include <QFontInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTableView>
#include <QTreeView>

#include <climits>
#include <functional>
#include <memory>

namespace {

using testutil::MakeFile;
using testutil::NamesIn;

using MainFormTest = uitest::TMainFormFixture;

// ---- The window as it opens ----------------------------------------------

struct TPlace {
    const char* Name;
    int Left, Top, Width, Height;   // -1: not fixed by the layout
};

TEST_F(MainFormTest, ControlsSitWhereTheLayoutPutsThem)
{
    const TPlace places[] = {
        {"QelAdImage1", 176, 3, 220, 60},
        {"btnPri", 6, 3, 75, 25},
        {"btnApp", 6, 38, 75, 25},
        {"btnRefresh", 95, 3, 75, 25},
        {"lbl1", 18, 72, -1, -1},
        {"cbbExt", 96, 69, 74, -1},
        {"crbFileNameLower", 19, 18, 94, 25},
        {"crbFileNameUpper", 119, 18, 94, 25},
        {"crbFileNameFirstUpper", 219, 18, 94, 25},
        {"crbExtNameLower", 19, 18, 94, 25},
        {"crbExtNameUpper", 119, 18, 94, 25},
        {"crbNewExtName", 219, 18, 94, 25},
        {"cbbNewExtName", 311, 18, 98, -1},
        {"lbl2", 16, 15, -1, -1},
        {"edtFindString", 16, 34, 185, 18},
        {"lbl3", 228, 15, -1, -1},
        {"edtReplaceString", 228, 34, 185, 18},
        {"crbNumberFileName", 16, 3, 81, 25},
        {"crbNumberExtName", 103, 3, 66, 25},
        {"lbl6", 16, 27, -1, -1},
        {"edtNumberStart", 16, 46, 57, -1},
        {"lbl7", 87, 27, -1, -1},
        {"edtNumberPlue", 87, 46, 66, -1},
        {"lbl8", 169, 27, -1, -1},
        {"edtNumberBit", 169, 46, 59, -1},
        {"lbl9", 258, 9, -1, -1},
        {"edtNumberPrefix", 296, 6, 121, 18},
        {"lbl10", 258, 50, -1, -1},
        {"edtNumberSuffix", 296, 47, 121, 18},
        {"crbRemoveString", 16, 3, 104, 25},
        {"edtRemoveString", 126, 6, 158, 18},
        {"crbRemoveStringExt", 16, 43, 104, 25},
        {"lbl4", 126, 30, -1, -1},
        {"edtRemoveStringExtFirst", 126, 46, 70, -1},
        {"lbl5", 212, 30, -1, -1},
        {"edtRemoveStringExtNum", 212, 46, 70, -1},
        {"lbl11", 16, 18, -1, -1},
        {"edtInsertString", 99, 15, 129, 18},
        {"lbl12", 259, 18, -1, -1},
        {"edtInsertPos", 321, 13, 64, -1},
        {"btnAbout", 24, 18, 75, 25},
    };
    for (const TPlace& p : places) {
        QWidget* w = Find<QWidget>(p.Name);
        if (!w)
            continue;
        EXPECT_EQ(w->pos(), QPoint(p.Left, p.Top)) << p.Name;
        if (p.Width >= 0) {
            EXPECT_EQ(w->width(), p.Width) << p.Name;
        }
        if (p.Height >= 0) {
            EXPECT_EQ(w->height(), p.Height) << p.Name;
        }
    }

    EXPECT_EQ(Find<QWidget>("SkinClient")->size(), QSize(826, 523));
    EXPECT_EQ(Form->bsSkinPanel1->height(), 92);
    EXPECT_EQ(Form->bsSkinPanel5->width(), 402);
    EXPECT_EQ(Form->pgcOp->width(), 424);
    EXPECT_EQ(Form->bsSkinPanel3->width(), 249);
    EXPECT_EQ(Form->bsSkinSplitter1->handleWidth(), 10);
    EXPECT_EQ(Form->bsSkinPanel4->x() - Form->bsSkinPanel3->geometry().right() - 1, 10);

    // Resizing keeps the top strip's height and the tree's width; the list takes the rest.
    Form->resize(Form->width() + 200, Form->height() + 100);
    QApplication::processEvents();
    EXPECT_EQ(Form->bsSkinPanel1->height(), 92);
    EXPECT_EQ(Form->bsSkinPanel5->width(), 402);
    EXPECT_EQ(Form->bsSkinPanel3->width(), 249);
    EXPECT_EQ(Form->pgcOp->width(), 624);
}

TEST_F(MainFormTest, OpensWithItsCaptionsItemsAndInitialValues)
{
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Ralvinor"));
    EXPECT_EQ(Form->font().families().value(0), QStringLiteral("SimSun"));
    EXPECT_EQ(Form->font().pixelSize(), 14);
    EXPECT_TRUE(QFontInfo(Form->font()).family().contains(QLatin1String("WenQuanYi"))
                || QFontInfo(Form->font()).family().contains(QLatin1String("SimSun")))
        << QFontInfo(Form->font()).family().toStdString();

    const std::pair<const char*, const char*> captions[] = {
        {"btnPri", "预览"}, {"btnApp", "应用"}, {"btnRefresh", "刷新"}, {"lbl1", "文件过滤"},
        {"crbFileNameLower", "全部小写"}, {"crbFileNameUpper", "全部大写"}, {"crbFileNameFirstUpper", "首字母大写"},
        {"crbExtNameLower", "全部小写"}, {"crbExtNameUpper", "全部大写"}, {"crbNewExtName", "新扩展名"},
        {"lbl2", "查找字符串"}, {"lbl3", "替换字符串"}, {"crbNumberFileName", "主文件名"},
        {"crbNumberExtName", "扩展名"}, {"lbl6", "开始"}, {"lbl7", "增量"}, {"lbl8", "位数"}, {"lbl9", "前缀"},
        {"lbl10", "后缀"}, {"crbRemoveString", "删除字符串"}, {"crbRemoveStringExt", "扩展删除"},
        {"lbl4", "开始位置"}, {"lbl5", "删除字符数量"}, {"lbl11", "添加的字符"}, {"lbl12", "开始位置"},
        {"btnAbout", "关于"},
    };
    for (const auto& [name, text] : captions) {
        QWidget* w = Find<QWidget>(name);
        const QString shown = w ? w->property("text").toString() : QString();
        EXPECT_EQ(shown, QString::fromUtf8(text)) << name;
    }

    const QStringList tabs = {"主文件名", "扩展名", "替换", "序号", "删除", "添加", "帮助"};
    const char* pages[] = {"tabFileName", "tabExtName", "tabReplace", "tabNum", "tabRemove", "tabAdd", "tabHelp"};
    ASSERT_EQ(Form->pgcOp->count(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(Form->pgcOp->tabText(i), tabs[i]);
        EXPECT_EQ(Form->pgcOp->widget(i)->objectName(), QLatin1String(pages[i]));
    }
    EXPECT_EQ(Form->pgcOp->currentIndex(), 0);

    auto items = [](QComboBox* c) {
        QStringList out;
        for (int i = 0; i < c->count(); ++i)
            out << c->itemText(i);
        return out;
    };
    EXPECT_EQ(items(Form->cbbExt), QStringList({"*.*", "*.txt", "*.bmp", "*.jpg", "*.jpeg", "*.png", "*.gif", "*.htm",
                                                "*.html", "*.mp3", "*.mp4", "*.rmvb", "*.avi", "*.ico"}));
    EXPECT_EQ(Form->cbbExt->currentText(), QStringLiteral("*.*"));
    EXPECT_TRUE(Form->cbbExt->isEditable());
    EXPECT_EQ(Form->cbbExt->maxVisibleItems(), 8);
    EXPECT_EQ(items(Form->cbbNewExtName), QStringList({".txt", ".bmp", ".jpg", ".jpeg", ".png", ".gif", ".htm",
                                                       ".html", ".mp3", ".mp4", ".rmvb", ".avi", ".ico"}));
    EXPECT_EQ(Form->cbbNewExtName->currentText(), QStringLiteral(".txt"));
    EXPECT_TRUE(Form->cbbNewExtName->isEditable());

    for (QSpinBox* spin : {Form->edtNumberStart, Form->edtNumberPlue, Form->edtNumberBit, Form->edtInsertPos}) {
        EXPECT_EQ(spin->value(), 1) << spin->objectName().toStdString();
        EXPECT_EQ(spin->minimum(), INT_MIN) << spin->objectName().toStdString();
        EXPECT_EQ(spin->maximum(), INT_MAX) << spin->objectName().toStdString();
    }
    for (QSpinBox* spin : {Form->edtRemoveStringExtFirst, Form->edtRemoveStringExtNum}) {
        EXPECT_EQ(spin->value(), 1);
        EXPECT_EQ(spin->minimum(), 1);
        EXPECT_EQ(spin->maximum(), 1000);
    }
    for (QLineEdit* edit : Form->findChildren<QLineEdit*>()) {
        if (!qobject_cast<QComboBox*>(edit->parentWidget()) && !qobject_cast<QSpinBox*>(edit->parentWidget())) {
            EXPECT_TRUE(edit->text().isEmpty()) << edit->objectName().toStdString();
        }
    }
    for (QRadioButton* radio : Form->findChildren<QRadioButton*>())
        EXPECT_FALSE(radio->isChecked()) << radio->objectName().toStdString();
    EXPECT_EQ(Form->OpCode(), 0u);

    // Disabled at start: Apply, the new-extension box, the delete fields; everything else is enabled.
    const QSet<QString> disabled = {"btnApp", "cbbNewExtName", "edtRemoveString", "edtRemoveStringExtFirst",
                                    "edtRemoveStringExtNum"};
    for (QWidget* w : Form->findChildren<QWidget*>()) {
        if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_"))
            || w->objectName() == QLatin1String("QelAdImage1"))
            continue;
        EXPECT_EQ(w->isEnabledTo(Form.get()), !disabled.contains(w->objectName())) << w->objectName().toStdString();
    }

    // The banner's slot: hidden until the network says otherwise, with a hand cursor.
    EXPECT_FALSE(Form->QelAdImage1->isVisible());
    EXPECT_EQ(Form->QelAdImage1->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(Form->tmrAdTimer->interval(), 2000);
    EXPECT_TRUE(Form->tmrAdTimer->isActive());

    // The list: two columns 260 wide, nothing listed, read-only rows, never sorted.
    EXPECT_EQ(Form->lvFiles->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("文件名"));
    EXPECT_EQ(Form->lvFiles->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("预览"));
    EXPECT_EQ(Form->lvFiles->horizontalHeader()->sectionSize(0), 260);
    EXPECT_EQ(Form->lvFiles->horizontalHeader()->sectionSize(1), 260);
    EXPECT_EQ(Form->lvFiles->model()->rowCount(), 0);
    EXPECT_EQ(Form->lvFiles->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(Form->lvFiles->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_FALSE(Form->lvFiles->isSortingEnabled());
}

// ---- Folder, filter and refresh ---------------------------------------------

TEST_F(MainFormTest, AClickOnAFolderListsItsFilesInFolderOrder)
{
    const QString dir = Folder("a", {"b.txt", "A.txt", "c.TXT", "d.jpg", ".hidden"});
    QDir(dir).mkdir("sub");
    ClickFolder(dir);
    EXPECT_EQ(Rows(), QStringList({"A.txt", "b.txt", "c.TXT", "d.jpg"}));
    EXPECT_EQ(Previews(), QStringList(4, QString()));
}

TEST_F(MainFormTest, OnlyAFolderChangeOrRefreshReloads)
{
    const QString a = Folder("a", {"1.txt", "2.jpg"});
    const QString b = Folder("b", {"3.txt", "4.jpg"});
    ClickFolder(a);
    ASSERT_EQ(Rows(), QStringList({"1.txt", "2.jpg"}));

    // Clicking the listed folder again does nothing, even when the disk changed.
    MakeFile(a, "5.txt");
    ClickFolder(a);
    EXPECT_EQ(Rows(), QStringList({"1.txt", "2.jpg"}));

    // A new filter alone does not reload the listed folder; Refresh applies it.
    SetFilter("*.txt");
    EXPECT_EQ(Rows(), QStringList({"1.txt", "2.jpg"}));
    Click(Form->btnRefresh);
    EXPECT_EQ(Rows(), QStringList({"1.txt", "5.txt"}));

    // A right click moves the selection without a click; the next filter change lists that folder.
    RightClickFolder(b);
    EXPECT_EQ(Form->tvDirTree->GetPath(), b);
    EXPECT_EQ(Rows(), QStringList({"1.txt", "5.txt"}));
    PickFilter("*.jpg");
    EXPECT_EQ(Rows(), QStringList({"4.jpg"}));

    // Clicking another folder reloads.
    ClickFolder(a);
    EXPECT_EQ(Rows(), QStringList({"2.jpg"}));
}

TEST_F(MainFormTest, FiltersThatMatchNothingGiveAnEmptyList)
{
    const QString dir = Folder("a", {"x.txt", "y.jpg"});
    ClickFolder(dir);
    ASSERT_EQ(Rows().size(), 2);
    // Two patterns with a semicolon are one pattern that no name matches.
    SetFilter("*.txt;*.jpg");
    Click(Form->btnRefresh);
    EXPECT_TRUE(Rows().isEmpty());
    SetFilter("*.png");
    Click(Form->btnRefresh);
    EXPECT_TRUE(Rows().isEmpty());
}

TEST_F(MainFormTest, RefreshWithoutASelectedFolderGivesTheMaskAlone)
{
    Form->tvDirTree->clearSelection();
    ASSERT_EQ(Form->tvDirTree->GetPath(), QString());
    Click(Form->btnRefresh);
    TRenameFiles engine;
    engine.LoadFiles(QString(), QStringLiteral("/*.*"));
    ASSERT_EQ(Rows().size(), engine.GetCount());
    for (int i = 0; i < engine.GetCount(); ++i)
        EXPECT_EQ(Rows()[i], engine.GetItem(i)->GetFileName());
}

// ---- Every operation through its controls, against the engine ---------------

struct TOpCase {
    const char* Name;
    std::function<void(MainFormTest&)> Drive;
    std::function<QString(TRenameFile&)> Engine;   // null: numbering, checked by hand
};

class OperationTest : public MainFormTest, public ::testing::WithParamInterface<int> {};

QString Padded(int n, int width)
{
    return QString::number(n).rightJustified(width, u'0');
}

const std::vector<TOpCase>& OpCases()
{
    using M = TMainForm;
    static const std::vector<TOpCase> cases = {
        {"BaseNameUpper", [](MainFormTest& t) { t.Click(t.Form->crbFileNameUpper); },
         [](TRenameFile& e) { bool x = false; return e.BaseNameUpper(false, x); }},
        {"BaseNameLower", [](MainFormTest& t) { t.Click(t.Form->crbFileNameLower); },
         [](TRenameFile& e) { bool x = false; return e.BaseNameLower(false, x); }},
        {"BaseNameFirstUpper", [](MainFormTest& t) { t.Click(t.Form->crbFileNameFirstUpper); },
         [](TRenameFile& e) { bool x = false; return e.BaseNameFirstUpper(false, x); }},
        {"ExtNameUpper",
         [](MainFormTest& t) {
             t.ClickTab(M::pageExtName);
             t.Click(t.Form->crbExtNameUpper);
         },
         [](TRenameFile& e) { bool x = false; return e.ExtNameUpper(false, x); }},
        {"ExtNameLower",
         [](MainFormTest& t) {
             t.ClickTab(M::pageExtName);
             t.Click(t.Form->crbExtNameLower);
         },
         [](TRenameFile& e) { bool x = false; return e.ExtNameLower(false, x); }},
        {"NewExtNamePicked",   // picking an item previews at once
         [](MainFormTest& t) {
             t.ClickTab(M::pageExtName);
             t.Click(t.Form->crbNewExtName);
             t.Form->cbbNewExtName->setCurrentIndex(2);
         },
         [](TRenameFile& e) { bool x = false; return e.NewExtName(".jpg", false, x); }},
        {"NewExtNameTypedWithoutDot",   // so does typing
         [](MainFormTest& t) {
             t.ClickTab(M::pageExtName);
             t.Click(t.Form->crbNewExtName);
             t.Type(t.Form->cbbNewExtName->lineEdit(), "md");
         },
         [](TRenameFile& e) { bool x = false; return e.NewExtName("md", false, x); }},
        {"ReplaceString",
         [](MainFormTest& t) {
             t.ClickTab(M::pageReplace);
             t.Type(t.Form->edtFindString, "_");
             t.Type(t.Form->edtReplaceString, " ");
             t.Click(t.Form->btnPri);
         },
         [](TRenameFile& e) { bool x = false; return e.ReplaceString("_", " ", false, x); }},
        {"RemoveString",
         [](MainFormTest& t) {
             t.ClickTab(M::pageRemove);
             t.Click(t.Form->crbRemoveString);
             t.Type(t.Form->edtRemoveString, "a");
             t.Click(t.Form->btnPri);
         },
         [](TRenameFile& e) { bool x = false; return e.RemoveString("a", false, x); }},
        {"RemoveStringExt",
         [](MainFormTest& t) {
             t.ClickTab(M::pageRemove);
             t.Click(t.Form->crbRemoveStringExt);
             t.Form->edtRemoveStringExtFirst->setValue(2);
             t.Form->edtRemoveStringExtNum->setValue(3);
             t.Click(t.Form->btnPri);
         },
         [](TRenameFile& e) { bool x = false; return e.RemoveStringExt(2, 3, false, x); }},
        {"NumberOnBaseName",
         [](MainFormTest& t) {
             t.ClickTab(M::pageNumber);
             t.Click(t.Form->crbNumberFileName);
             t.Type(t.Form->edtNumberPrefix, "p");
             t.Form->edtNumberBit->setValue(2);
             t.Click(t.Form->btnPri);
         },
         nullptr},
        {"InsertString",
         [](MainFormTest& t) {
             t.ClickTab(M::pageInsert);
             t.Type(t.Form->edtInsertString, "new_");
             t.Form->edtInsertPos->setValue(3);
             t.Click(t.Form->btnPri);
         },
         [](TRenameFile& e) { bool x = false; return e.InsertString("new_", 3, false, x); }},
    };
    return cases;
}

TEST_P(OperationTest, PreviewShowsWhatTheEngineComputes)
{
    const TOpCase& c = OpCases()[GetParam()];
    const QString dir =
        Folder("ops", {"my photo.JPG", "a_b_c.txt", "IMG_0001.JPG", "README", "2011_report.Txt", "中文abc.txt"});
    const QStringList before = NamesIn(dir);
    ClickFolder(dir);
    ASSERT_EQ(Rows().size(), 6);
    c.Drive(*this);

    QStringList expected;
    if (c.Engine) {
        expected = EngineNames(dir, c.Engine);
    } else {
        int i = 0;
        expected = EngineNames(dir, [&i](TRenameFile& e) {
            bool x = false;
            return e.NewBaseName("p" + Padded(++i, 2), false, x);
        });
    }
    EXPECT_EQ(Previews(), expected);
    EXPECT_TRUE(Form->btnApp->isEnabled());
    EXPECT_EQ(NamesIn(dir), before);   // a preview never touches the disk
}

INSTANTIATE_TEST_SUITE_P(EveryCode, OperationTest, ::testing::Range(0, int(OpCases().size())),
                         [](const ::testing::TestParamInfo<int>& info) { return std::string(OpCases()[info.param].Name); });

// ---- Pages and radio buttons -------------------------------------------------

TEST_F(MainFormTest, APageWithoutChoiceKeepsTheOperationAndPagesRememberTheirs)
{
    const QString dir = Folder("p", {"aa.txt", "ba.txt"});
    ClickFolder(dir);
    ClickTab(TMainForm::pageReplace);          // selects replacing at once, with empty fields
    EXPECT_EQ(Previews(), QStringList({"aa.txt", "ba.txt"}));
    Type(Form->edtFindString, "a");
    Type(Form->edtReplaceString, "x");
    EXPECT_EQ(Previews(), QStringList({"aa.txt", "ba.txt"}));   // editing alone does not preview
    Click(Form->btnPri);
    EXPECT_EQ(Previews(), QStringList({"xx.txt", "bx.txt"}));

    ClickTab(TMainForm::pageFileName);         // nothing chosen there: still replacing
    EXPECT_EQ(Form->OpCode(), quint32(TMainForm::opReplace));
    Type(Form->edtFindString, "b");           // (on another page, but read fresh)
    ClickTab(TMainForm::pageHelp);             // the help page previews the kept operation again
    EXPECT_EQ(Previews(), QStringList({"aa.txt", "xa.txt"}));

    ClickTab(TMainForm::pageFileName);
    Click(Form->crbFileNameUpper);
    EXPECT_EQ(Previews(), QStringList({"AA.txt", "BA.txt"}));
    ClickTab(TMainForm::pageRemove);           // nothing chosen: upper case stays
    EXPECT_EQ(Previews(), QStringList({"AA.txt", "BA.txt"}));
    ClickTab(TMainForm::pageReplace);
    ClickTab(TMainForm::pageFileName);         // the page remembers its radio button
    EXPECT_TRUE(Form->crbFileNameUpper->isChecked());
    EXPECT_EQ(Form->OpCode(), quint32(TMainForm::opBaseNameUpper));
    EXPECT_EQ(Previews(), QStringList({"AA.txt", "BA.txt"}));
}

TEST_F(MainFormTest, RadioButtonsEnableTheirOwnFields)
{
    ClickTab(TMainForm::pageExtName);
    Click(Form->crbNewExtName);
    EXPECT_TRUE(Form->cbbNewExtName->isEnabled());
    Click(Form->crbExtNameLower);
    EXPECT_FALSE(Form->cbbNewExtName->isEnabled());
    EXPECT_FALSE(Form->crbNewExtName->isChecked());
    Click(Form->crbNewExtName);
    Click(Form->crbExtNameUpper);
    EXPECT_FALSE(Form->cbbNewExtName->isEnabled());

    ClickTab(TMainForm::pageRemove);
    Click(Form->crbRemoveString);
    EXPECT_TRUE(Form->edtRemoveString->isEnabled());
    EXPECT_FALSE(Form->edtRemoveStringExtFirst->isEnabled());
    EXPECT_FALSE(Form->edtRemoveStringExtNum->isEnabled());
    Click(Form->crbRemoveStringExt);
    EXPECT_FALSE(Form->edtRemoveString->isEnabled());
    EXPECT_TRUE(Form->edtRemoveStringExtFirst->isEnabled());
    EXPECT_TRUE(Form->edtRemoveStringExtNum->isEnabled());

    // Each page is its own group: the extension page kept its choice.
    EXPECT_TRUE(Form->crbExtNameUpper->isChecked());
}

// ---- The Apply button --------------------------------------------------------

TEST_F(MainFormTest, ApplyIsEnabledByAPreviewOfRowsAndDisabledByANewOperation)
{
    const QString empty = Folder("empty", {});
    const QString full = Folder("full", {"a.txt"});
    EXPECT_FALSE(Form->btnApp->isEnabled());

    ClickFolder(empty);                        // preview of no rows: unchanged
    EXPECT_FALSE(Form->btnApp->isEnabled());
    Click(Form->btnPri);
    EXPECT_FALSE(Form->btnApp->isEnabled());

    ClickFolder(full);                         // with rows, even with no operation chosen
    EXPECT_EQ(Form->OpCode(), 0u);
    EXPECT_TRUE(Form->btnApp->isEnabled());
    EXPECT_EQ(Previews(), QStringList({QString()}));

    ClickFolder(empty);                        // an empty list keeps it as it was
    EXPECT_TRUE(Form->btnApp->isEnabled());
    Click(Form->crbFileNameUpper);             // a new operation with nothing to preview
    EXPECT_FALSE(Form->btnApp->isEnabled());
    Click(Form->crbFileNameUpper);             // already chosen: no change
    EXPECT_FALSE(Form->btnApp->isEnabled());

    ClickFolder(full);
    EXPECT_TRUE(Form->btnApp->isEnabled());
    Click(Form->crbFileNameLower);             // a new operation, previewed at once
    EXPECT_TRUE(Form->btnApp->isEnabled());
}

// ---- Numbering ----------------------------------------------------------------

struct TNumberCase {
    const char* Name;
    int Start, Increment, Digits;
    const char* Prefix;
    const char* Suffix;
    bool OnExtension;
    QStringList Expected;   // for x.txt, y.txt, z.txt
};

class NumberingTest : public MainFormTest, public ::testing::WithParamInterface<TNumberCase> {};

TEST_P(NumberingTest, NumbersTheFilesInListOrder)
{
    const TNumberCase& c = GetParam();
    const QString dir = Folder("n", {"y.txt", "x.txt", "z.txt"});
    ClickFolder(dir);
    ClickTab(TMainForm::pageNumber);
    Form->edtNumberStart->setValue(c.Start);
    Form->edtNumberPlue->setValue(c.Increment);
    Form->edtNumberBit->setValue(c.Digits);
    Type(Form->edtNumberPrefix, QString::fromUtf8(c.Prefix));
    Type(Form->edtNumberSuffix, QString::fromUtf8(c.Suffix));
    Click(c.OnExtension ? Form->crbNumberExtName : Form->crbNumberFileName);
    EXPECT_EQ(Previews(), c.Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, NumberingTest,
    ::testing::Values(
        TNumberCase{"BaseNamePadded", 1, 1, 3, "a", "", false, {"a001.txt", "a002.txt", "a003.txt"}},
        TNumberCase{"ExtensionPadded", 1, 1, 3, "a", "", true, {"x.a001", "y.a002", "z.a003"}},
        TNumberCase{"PrefixAndSuffix", 7, 0, 0, "p", "s", false, {"p7s.txt", "p7s.txt", "p7s.txt"}},
        TNumberCase{"OneDigitPadsNothingAndNothingIsCut", 9, 1, 1, "", "", false, {"9.txt", "10.txt", "11.txt"}},
        TNumberCase{"ZerosGoInFrontOfTheSign", -1, 1, 4, "", "", false, {"00-1.txt", "0000.txt", "0001.txt"}},
        TNumberCase{"NegativeIncrement", 3, -2, 2, "", "", false, {"03.txt", "01.txt", "-1.txt"}},
        TNumberCase{"WrapsAroundAt32Bits", INT_MAX, 1, 0, "", "", false,
                    {"2147483647.txt", "-2147483648.txt", "-2147483647.txt"}},
        TNumberCase{"HugeDigitCountStopsAtAFileNameLength", 1, 1, INT_MAX, "", "", false,
                    {QString(255, u'0') + "1.txt", QString(255, u'0') + "2.txt", QString(255, u'0') + "3.txt"}}),
    [](const ::testing::TestParamInfo<TNumberCase>& info) { return std::string(info.param.Name); });

TEST_F(MainFormTest, NumberingWithoutATargetLeavesThePreviewColumn)
{
    const QString dir = Folder("n", {"a.txt", "b.txt"});
    ClickFolder(dir);
    Click(Form->crbFileNameUpper);
    ClickTab(TMainForm::pageNumber);
    EXPECT_EQ(Form->OpCode(), quint32(TMainForm::opNumber));
    EXPECT_EQ(Previews(), QStringList({"A.txt", "B.txt"}));

    uitest::TBoxSeen seen;
    uitest::AnswerBox(QMessageBox::Ok, &seen);
    Click(Form->btnApp);
    EXPECT_TRUE(seen.Seen);
    EXPECT_EQ(NamesIn(dir), QStringList({"a.txt", "b.txt"}));
}

// ---- Apply --------------------------------------------------------------------

TEST_F(MainFormTest, ApplyAsksThenRenamesInListOrderAndReloads)
{
    const QString dir = Folder("apply", {"3.txt", "1.txt", "2.txt"});
    ClickFolder(dir);
    ClickTab(TMainForm::pageNumber);
    Form->edtNumberStart->setValue(2);
    Form->edtNumberBit->setValue(0);
    Click(Form->crbNumberFileName);
    ASSERT_EQ(Previews(), QStringList({"2.txt", "3.txt", "4.txt"}));

    uitest::TBoxSeen seen;
    uitest::AnswerBox(QMessageBox::Ok, &seen);
    Click(Form->btnApp);

    EXPECT_EQ(seen.Title, QStringLiteral("更改文件名"));
    EXPECT_EQ(seen.Text, QStringLiteral("确定应用新文件名吗？"));
    EXPECT_EQ(seen.Buttons, QStringList({"确定", "取消"}));
    EXPECT_EQ(seen.DefaultButton, QStringLiteral("取消"));
    EXPECT_EQ(seen.Parent, Form.get());
    EXPECT_TRUE(seen.Topmost);
    // One at a time in list order: 1 -> 2 and 2 -> 3 find their targets taken, 3 -> 4 succeeds.
    EXPECT_EQ(NamesIn(dir), QStringList({"1.txt", "2.txt", "4.txt"}));
    EXPECT_EQ(Rows(), QStringList({"1.txt", "2.txt", "4.txt"}));
    EXPECT_EQ(Previews(), QStringList({"2.txt", "3.txt", "4.txt"}));   // previewed again on the new names
}

TEST_F(MainFormTest, ApplyUsesTheControlsAsTheyAreNowAndTheFirstEntryWinsANameClash)
{
    const QString dir = Folder("apply", {"x1.txt", "x2.txt", "y.txt"});
    ClickFolder(dir);
    ClickTab(TMainForm::pageRemove);
    Click(Form->crbRemoveStringExt);
    Form->edtRemoveStringExtFirst->setValue(3);   // previewed: nothing removed
    Click(Form->btnPri);
    ASSERT_EQ(Previews(), QStringList({"x1.txt", "x2.txt", "y.txt"}));
    Form->edtRemoveStringExtFirst->setValue(2);   // not previewed

    uitest::TBoxSeen seen;
    uitest::AnswerBox(QMessageBox::Ok, &seen);
    Click(Form->btnApp);
    EXPECT_EQ(NamesIn(dir), QStringList({"x.txt", "x2.txt", "y.txt"}));
}

TEST_F(MainFormTest, CancelChangesNothingNotEvenThePreview)
{
    const QString dir = Folder("apply", {"a.txt", "b.txt"});
    ClickFolder(dir);
    Click(Form->crbFileNameUpper);
    MakeFile(dir, "c.txt");                    // a reload would show it
    uitest::TBoxSeen seen;
    uitest::AnswerBox(QMessageBox::Cancel, &seen);
    Click(Form->btnApp);
    EXPECT_TRUE(seen.Seen);
    EXPECT_EQ(NamesIn(dir), QStringList({"a.txt", "b.txt", "c.txt"}));
    EXPECT_EQ(Rows(), QStringList({"a.txt", "b.txt"}));
    EXPECT_EQ(Previews(), QStringList({"A.txt", "B.txt"}));
}

TEST_F(MainFormTest, ApplyWithoutAnOperationRenamesNothingButReloads)
{
    const QString dir = Folder("apply", {"a.txt"});
    ClickFolder(dir);
    MakeFile(dir, "b.txt");
    uitest::TBoxSeen seen;
    uitest::AnswerBox(QMessageBox::Ok, &seen);
    Click(Form->btnApp);
    EXPECT_TRUE(seen.Seen);
    EXPECT_EQ(NamesIn(dir), QStringList({"a.txt", "b.txt"}));
    EXPECT_EQ(Rows(), QStringList({"a.txt", "b.txt"}));
}

TEST_F(MainFormTest, ApplyOnAnEmptyListAsksNothing)
{
    const QString dir = Folder("empty", {});
    ClickFolder(dir);
    Click(Form->crbFileNameUpper);
    Click(Form->btnPri);
    // Apply is disabled here, so call its handler the way a stale click would.
    bool asked = false;
    QTimer::singleShot(0, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            asked = true;
            modal->close();
        }
    });
    Form->btnAppClick(Form->btnApp);
    QApplication::processEvents();
    EXPECT_FALSE(asked);
}

} // namespace
