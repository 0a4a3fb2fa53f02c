// What the main window says about a rename before and after it happens, the
// undo of the last apply, and folders dropped on the window.
#include "MainFormFixture.h"
#include "WindowTestUtil.h"

#include "platform/FileRename.h"
#include "ui/RenameReportfm.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QUrl>

#include <cerrno>

namespace {

using testutil::MakeFile;
using testutil::NamesIn;
using testutil::ReadAll;

class RenameOutcomeTest : public uitest::TMainFormFixture {
public:
    // Replacing "x" by nothing in this folder meets every outcome once:
    // a.txt stays, ax.txt finds a.txt there, bx.txt becomes b.txt first so
    // bxx.txt clashes with it, cx.txt is free, ex.txt finds a subfolder (no
    // row) in the way, and x gets no name at all.
    QString PlanFolder()
    {
        const QString dir = Folder("plan", {"a.txt", "ax.txt", "bx.txt", "bxx.txt", "cx.txt", "ex.txt", "x"});
        QDir(dir).mkdir(QStringLiteral("e.txt"));
        ClickFolder(dir);
        return dir;
    }

    void RemoveX()
    {
        ClickTab(TMainForm::pageReplace);
        Type(Form->edtFindString, QStringLiteral("x"));
        Click(Form->btnPri);
    }

    void Apply()
    {
        uitest::TBoxSeen seen;
        uitest::AnswerBox(QMessageBox::Ok, &seen);
        Click(Form->btnApp);
        ASSERT_TRUE(seen.Seen);
    }

    // Undo through Ctrl+Z in the window, the confirmation answered with `answer`.
    uitest::TBoxSeen UndoByKey(QMessageBox::StandardButton answer)
    {
        uitest::TBoxSeen seen;
        uitest::AnswerBox(answer, &seen);
        Form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(Form.get()));
        Form->lvFiles->setFocus();
        QTest::keyClick(Form->lvFiles, Qt::Key_Z, Qt::ControlModifier);
        return seen;
    }

    QVariant Cell(int row, int column, int role) const
    {
        return Form->FileList()->data(Form->FileList()->index(row, column), role);
    }

    static QStringList ReportRows(const TRenameReportForm* report)
    {
        QStringList out;
        for (int i = 0; i < report->lvReport->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = report->lvReport->topLevelItem(i);
            out << item->text(0) + QStringLiteral(" | ") + item->text(1);
        }
        return out;
    }
};

// ---- Before Apply ---------------------------------------------------------------

TEST_F(RenameOutcomeTest, PreviewMarksEachRowWithWhatApplyWillDo)
{
    const QString empty = Folder("empty", {});
    PlanFolder();
    ASSERT_EQ(Rows(), QStringList({"a.txt", "ax.txt", "bx.txt", "bxx.txt", "cx.txt", "ex.txt", "x"}));
    // No operation chosen yet: Apply would leave every file alone, and nothing is marked.
    EXPECT_EQ(Form->lblPlan->text(), QStringLiteral("将重命名 0 个文件，7 个未改变，0 个冲突"));
    EXPECT_EQ(Form->FileList()->Status(1), TFileListModel::RowPlain);

    RemoveX();
    EXPECT_EQ(Form->lblPlan->text(), QStringLiteral("将重命名 2 个文件，1 个未改变，4 个冲突"));

    struct TExpected {
        const char* Preview;
        int Status;
        const char* Tip;   // the preview cell's tooltip
    };
    const TExpected rows[] = {
        {"a.txt", TFileListModel::RowUnchanged, ""},
        {"a.txt", TFileListModel::RowRefused, "“a.txt”已存在，不会覆盖它"},
        {"b.txt", TFileListModel::RowRenamed, ""},
        {"b.txt", TFileListModel::RowRefused, "与第 3 行“bx.txt”的新文件名重复"},
        {"c.txt", TFileListModel::RowRenamed, ""},
        {"e.txt", TFileListModel::RowRefused, "“e.txt”已存在，不会覆盖它"},
        {"", TFileListModel::RowRefused, "新文件名为空"},
    };
    for (int i = 0; i < int(std::size(rows)); ++i) {
        const TExpected& e = rows[i];
        SCOPED_TRACE(Rows()[i].toStdString());
        EXPECT_EQ(Form->FileList()->Preview(i), QString::fromUtf8(e.Preview));
        EXPECT_EQ(Cell(i, TFileListModel::ColPreview, TFileListModel::StatusRole).toInt(), e.Status);
        EXPECT_EQ(Cell(i, TFileListModel::ColPreview, Qt::ToolTipRole).toString(), QString::fromUtf8(e.Tip));
        EXPECT_FALSE(Cell(i, TFileListModel::ColFileName, Qt::ToolTipRole).isValid());
        const QVariant colour = Cell(i, TFileListModel::ColFileName, Qt::ForegroundRole);
        if (e.Status == TFileListModel::RowRefused) {
            EXPECT_EQ(colour.value<QColor>(), TSkinCtrlModule::RefusedTextColor());
            EXPECT_EQ(Cell(i, TFileListModel::ColPreview, Qt::BackgroundRole).value<QColor>(),
                      TSkinCtrlModule::RefusedBackColor());
        } else if (e.Status == TFileListModel::RowUnchanged) {
            EXPECT_EQ(colour.value<QColor>(), TSkinCtrlModule::DimTextColor());
        } else {
            EXPECT_FALSE(colour.isValid());
        }
    }

    // An empty folder says nothing.
    ClickFolder(empty);
    EXPECT_EQ(Form->lblPlan->text(), QString());
}

// ---- After Apply ----------------------------------------------------------------

TEST_F(RenameOutcomeTest, ApplyReportsWhatHappenedAndListsTheRefusedFilesWithTheirReasons)
{
    const QString dir = PlanFolder();
    RemoveX();
    QFile::remove(dir + "/cx.txt");   // gone before Apply: a refusal the plan could not foresee
    Apply();

    EXPECT_EQ(NamesIn(dir), QStringList({"a.txt", "ax.txt", "b.txt", "bxx.txt", "e.txt", "ex.txt", "x"}));
    EXPECT_EQ(Form->lblResult->text(), QStringLiteral("已重命名 1 个文件，5 个失败"));
    // The list shows the folder as it now is, planned again.
    EXPECT_EQ(Form->lblPlan->text(), QStringLiteral("将重命名 0 个文件，2 个未改变，4 个冲突"));

    ASSERT_TRUE(Form->btnReport->isVisible());
    EXPECT_EQ(Form->ReportForm(), nullptr);   // opened only when asked for
    Click(Form->btnReport);
    TRenameReportForm* report = Form->ReportForm();
    ASSERT_NE(report, nullptr);
    EXPECT_TRUE(report->isVisible());
    EXPECT_FALSE(report->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(report->lblSummary->text(), QStringLiteral("以下 5 个文件未能重命名："));
    EXPECT_EQ(ReportRows(report), QStringList({
                                      "ax.txt → a.txt | “a.txt”已存在，不会覆盖它",
                                      "bxx.txt → b.txt | 与第 3 行“bx.txt”的新文件名重复",
                                      "cx.txt → c.txt | " + plat::ErrorText(ENOENT),
                                      "ex.txt → e.txt | “e.txt”已存在，不会覆盖它",
                                      "x →  | 新文件名为空",
                                  }));

    // The window goes on working beside the report.
    Click(Form->btnRefresh);
    EXPECT_TRUE(report->isVisible());
    Click(report->btnClose);
    EXPECT_FALSE(report->isVisible());
}

// ---- Undo ---------------------------------------------------------------------

TEST_F(RenameOutcomeTest, UndoAsksThenRestoresAChainInReverseOrder)
{
    const QString dir = Folder("chain", {});
    MakeFile(dir, "1.txt", "one");
    MakeFile(dir, "2.txt", "two");
    MakeFile(dir, "3.txt", "three");
    ClickFolder(dir);
    EXPECT_FALSE(Form->actUndoRename->isEnabled());

    // 1 -> 0, then 2 -> 1 and 3 -> 2 into the names just set free.
    ClickTab(TMainForm::pageNumber);
    Form->edtNumberStart->setValue(0);
    Form->edtNumberBit->setValue(0);
    Click(Form->crbNumberFileName);
    EXPECT_EQ(Form->lblPlan->text(), QStringLiteral("将重命名 3 个文件，0 个未改变，0 个冲突"));
    Apply();
    ASSERT_EQ(NamesIn(dir), QStringList({"0.txt", "1.txt", "2.txt"}));
    EXPECT_EQ(ReadAll(dir + "/0.txt"), "one");
    EXPECT_EQ(Form->lblResult->text(), QStringLiteral("已重命名 3 个文件，0 个失败"));
    EXPECT_FALSE(Form->btnReport->isVisible());
    EXPECT_TRUE(Form->actUndoRename->isEnabled());

    // A second apply that renames nothing leaves the first one to undo.
    Apply();
    EXPECT_EQ(Form->lblResult->text(), QStringLiteral("已重命名 0 个文件，0 个失败"));
    EXPECT_TRUE(Form->actUndoRename->isEnabled());

    const uitest::TBoxSeen cancelled = UndoByKey(QMessageBox::Cancel);
    EXPECT_TRUE(cancelled.Seen);
    EXPECT_EQ(cancelled.Title, QStringLiteral("撤销重命名"));
    EXPECT_EQ(cancelled.Text, QStringLiteral("确定撤销上次的重命名，将 3 个文件恢复为原来的文件名吗？"));
    EXPECT_EQ(NamesIn(dir), QStringList({"0.txt", "1.txt", "2.txt"}));
    EXPECT_TRUE(Form->actUndoRename->isEnabled());

    EXPECT_TRUE(UndoByKey(QMessageBox::Ok).Seen);
    EXPECT_EQ(NamesIn(dir), QStringList({"1.txt", "2.txt", "3.txt"}));
    EXPECT_EQ(ReadAll(dir + "/1.txt"), "one");
    EXPECT_EQ(ReadAll(dir + "/2.txt"), "two");
    EXPECT_EQ(ReadAll(dir + "/3.txt"), "three");
    EXPECT_EQ(Rows(), QStringList({"1.txt", "2.txt", "3.txt"}));   // reloaded
    EXPECT_EQ(Form->lblResult->text(), QStringLiteral("已恢复 3 个文件，0 个失败"));
    EXPECT_FALSE(Form->actUndoRename->isEnabled());
    EXPECT_EQ(Form->ReportForm(), nullptr);
}

TEST_F(RenameOutcomeTest, UndoFromTheListsMenuNeverOverwritesAFileThatAppearedMeanwhile)
{
    const QString dir = Folder("undo", {});
    MakeFile(dir, "a1.txt", "first a");
    MakeFile(dir, "b1.txt", "first b");
    ClickFolder(dir);
    ClickTab(TMainForm::pageReplace);
    Type(Form->edtFindString, "1");
    Type(Form->edtReplaceString, "2");
    Click(Form->btnPri);
    Apply();
    ASSERT_EQ(NamesIn(dir), QStringList({"a2.txt", "b2.txt"}));
    MakeFile(dir, "a1.txt", "newcomer");

    emit Form->lvFiles->customContextMenuRequested(QPoint(10, 10));
    ASSERT_TRUE(Form->pmFiles->isVisible());
    ASSERT_TRUE(Form->pmFiles->actions().contains(Form->actUndoRename));
    uitest::TBoxSeen seen;
    uitest::AnswerBox(QMessageBox::Ok, &seen);
    QTest::mouseClick(Form->pmFiles, Qt::LeftButton, {},
                      Form->pmFiles->actionGeometry(Form->actUndoRename).center());
    ASSERT_TRUE(seen.Seen);

    EXPECT_EQ(NamesIn(dir), QStringList({"a1.txt", "a2.txt", "b1.txt"}));
    EXPECT_EQ(ReadAll(dir + "/a1.txt"), "newcomer");
    EXPECT_EQ(ReadAll(dir + "/a2.txt"), "first a");
    EXPECT_EQ(ReadAll(dir + "/b1.txt"), "first b");
    EXPECT_EQ(Form->lblResult->text(), QStringLiteral("已恢复 1 个文件，1 个失败"));
    EXPECT_FALSE(Form->actUndoRename->isEnabled());
    // What could not be restored is shown at once.
    TRenameReportForm* report = Form->ReportForm();
    ASSERT_NE(report, nullptr);
    EXPECT_TRUE(report->isVisible());
    EXPECT_EQ(report->lblSummary->text(), QStringLiteral("以下 1 个文件未能恢复原来的文件名："));
    EXPECT_EQ(ReportRows(report), QStringList({"a2.txt | 原来的文件名已被另一个文件占用，不会覆盖它"}));
}

TEST_F(RenameOutcomeTest, UndoIsForgottenOnceAnotherFolderIsListed)
{
    const QString a = Folder("a", {"x1.txt", "x2.txt"});
    const QString b = Folder("b", {"y.txt"});
    ClickFolder(a);
    Click(Form->crbFileNameUpper);
    MakeFile(a, "X2.txt");
    Apply();
    ASSERT_EQ(NamesIn(a), QStringList({"X1.txt", "X2.txt", "x2.txt"}));
    ASSERT_TRUE(Form->btnReport->isVisible());

    Click(Form->btnRefresh);   // the same folder again: still undoable
    EXPECT_TRUE(Form->actUndoRename->isEnabled());
    EXPECT_EQ(Form->lblResult->text(), QStringLiteral("已重命名 1 个文件，1 个失败"));

    ClickFolder(b);
    EXPECT_FALSE(Form->actUndoRename->isEnabled());
    EXPECT_EQ(Form->lblResult->text(), QString());
    EXPECT_FALSE(Form->btnReport->isVisible());
    ClickFolder(a);
    EXPECT_FALSE(Form->actUndoRename->isEnabled());

    // Ctrl+Z asks nothing and renames nothing.
    bool asked = false;
    QTimer::singleShot(0, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            asked = true;
            modal->close();
        }
    });
    QTest::keyClick(Form->lvFiles, Qt::Key_Z, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_FALSE(asked);
    EXPECT_EQ(NamesIn(a), QStringList({"X1.txt", "X2.txt", "x2.txt"}));
}

// ---- Dropped folders and files -------------------------------------------------

struct TDropCase {
    const char* Name;
    const char* Dropped;   // under the temporary folder
    const char* Listed;    // the folder then listed and selected; null: nothing changes
    QStringList Rows;
};

class DropTest : public uitest::TMainFormFixture, public ::testing::WithParamInterface<TDropCase> {};

TEST_P(DropTest, ListsTheDroppedFolderOrTheFolderOfADroppedFile)
{
    const TDropCase& c = GetParam();
    Folder("d", {"1.txt"});
    Folder(".h", {"2.txt"});
    ASSERT_NE(Form->tvDirTree->FindPath(Tmp.path()), nullptr);   // the tree has read it
    Folder("late", {"3.txt"});

    auto* data = new QMimeData;   // the drag owns it in real life; the test keeps it till the end
    std::unique_ptr<QMimeData> keep(data);
    data->setUrls({QUrl::fromLocalFile(Tmp.path() + u'/' + QString::fromUtf8(c.Dropped))});
    const QPoint at = Form->lvFiles->viewport()->mapTo(Form.get(), QPoint(20, 20));
    QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Form.get(), &enter);
    EXPECT_EQ(enter.isAccepted(), c.Listed != nullptr);
    QDropEvent drop(QPointF(at), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Form.get(), &drop);

    const QString listed = c.Listed ? Tmp.path() + u'/' + QString::fromUtf8(c.Listed) : QString();
    EXPECT_EQ(Form->tvDirTree->GetPath(), listed);
    EXPECT_EQ(Rows(), c.Rows);
}

INSTANTIATE_TEST_SUITE_P(
    Drops, DropTest,
    ::testing::Values(TDropCase{"Folder", "d", "d", {"1.txt"}}, TDropCase{"File", "d/1.txt", "d", {"1.txt"}},
                      TDropCase{"HiddenFolder", ".h", ".h", {"2.txt"}},
                      TDropCase{"FolderMadeAfterTheTreeReadItsParent", "late", "late", {"3.txt"}},
                      TDropCase{"NothingThere", "missing", nullptr, {}}),
    [](const ::testing::TestParamInfo<TDropCase>& info) { return std::string(info.param.Name); });

} // namespace
