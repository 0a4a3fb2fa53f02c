#include "support/QelDialogs.h"

#include "common/ModalUtil.h"
#include "support/QelFile.h"

#include <QApplication>
#include <QDialog>
#include <QDropEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using testutil::OnNextModal;

enum class TAnswer { Ok, Cancel, Enter, Escape, CloseBox };

using TSeen = testutil::TBoxSeen;

void Answer(TAnswer how, TSeen* seen)
{
    OnNextModal([how, seen](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        testutil::ReadBox(*box, seen);
        switch (how) {
        case TAnswer::Ok:
            box->button(QMessageBox::Ok)->click();
            break;
        case TAnswer::Cancel:
            box->button(QMessageBox::Cancel)->click();
            break;
        case TAnswer::Enter:
            QTest::keyClick(box, Qt::Key_Return);
            break;
        case TAnswer::Escape:
            QTest::keyClick(box, Qt::Key_Escape);
            break;
        case TAnswer::CloseBox:
            box->close();
            break;
        }
    });
}

class QelDialogs : public ::testing::Test {
protected:
    QWidget Main;
    void SetUp() override { qel::SetMainForm(&Main); }
    void TearDown() override { qel::SetMainForm(nullptr); }
};

struct TBoxCase {
    const char* Name;
    std::function<bool()> Call;   // with the default caption and no owner
    const char* Caption;
    QMessageBox::Icon Icon;
    QStringList Buttons;
    const char* Default;
};

TEST_F(QelDialogs, EachBoxHasItsCaptionIconButtonsAndDefault)
{
    const TBoxCase cases[] = {
        {"HintBox", [] { qel::HintBox("h"); return true; }, "提示", QMessageBox::Information, {"确定"}, "确定"},
        {"AskBox", [] { return qel::AskBox("h"); }, "询问", QMessageBox::Information, {"确定", "取消"}, "取消"},
        {"WarnBox", [] { return qel::WarnBox("h"); }, "警告", QMessageBox::Warning, {"确定", "取消"}, "取消"},
        {"ErrorBox", [] { qel::ErrorBox("h"); return true; }, "错误", QMessageBox::Critical, {"确定"}, "确定"},
    };
    for (const TBoxCase& c : cases) {
        TSeen seen;
        Answer(TAnswer::Ok, &seen);
        EXPECT_TRUE(c.Call()) << c.Name;
        EXPECT_EQ(seen.Title, QString::fromUtf8(c.Caption)) << c.Name;
        EXPECT_EQ(seen.Text, QStringLiteral("h")) << c.Name;
        EXPECT_EQ(seen.Icon, c.Icon) << c.Name;
        EXPECT_EQ(seen.Buttons, c.Buttons) << c.Name;
        EXPECT_EQ(seen.DefaultButton, QString::fromUtf8(c.Default)) << c.Name;
        EXPECT_EQ(seen.Parent, &Main) << c.Name << ": owned by the main window";
        EXPECT_TRUE(seen.Topmost) << c.Name;
    }
}

TEST_F(QelDialogs, AskAndWarnAreTrueOnlyForOk)
{
    const std::pair<TAnswer, bool> answers[] = {
        {TAnswer::Ok, true}, {TAnswer::Cancel, false}, {TAnswer::Enter, false},
        {TAnswer::Escape, false}, {TAnswer::CloseBox, false},
    };
    for (const auto& [how, expected] : answers) {
        TSeen seen;
        Answer(how, &seen);
        EXPECT_EQ(qel::AskBox("q"), expected) << int(how);
        Answer(how, &seen);
        EXPECT_EQ(qel::WarnBox("w"), expected) << int(how);
    }
}

TEST_F(QelDialogs, TextAndCaptionAreShownAsGivenWithTheGivenOwner)
{
    QWidget owner;
    TSeen seen;
    Answer(TAnswer::Ok, &seen);
    qel::HintBox("<b>a.txt</b>", "", &owner);
    EXPECT_EQ(seen.Title, QString());
    EXPECT_EQ(seen.Text, QStringLiteral("<b>a.txt</b>"));
    EXPECT_EQ(seen.Parent, &owner);

    // Without a main window the box simply has no owner.
    qel::SetMainForm(nullptr);
    Answer(TAnswer::Ok, &seen);
    qel::ErrorBox("e");
    EXPECT_EQ(seen.Parent, nullptr);
}

TEST_F(QelDialogs, FormShowModalDestroysTheFormAfterItCloses)
{
    QPointer<QDialog> form = new QDialog(&Main);
    bool modal = false;
    OnNextModal([&](QWidget* w) {
        modal = w == form;
        static_cast<QDialog*>(w)->accept();
    });
    qel::FormShowModal(form);
    EXPECT_TRUE(modal);
    EXPECT_TRUE(form.isNull());

    // A dialog that deletes itself on close is not deleted twice.
    QPointer<QDialog> selfDeleting = new QDialog(&Main);
    selfDeleting->setAttribute(Qt::WA_DeleteOnClose);
    OnNextModal([](QWidget* w) { w->close(); });
    qel::FormShowModal(selfDeleting);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(selfDeleting.isNull());
}

TEST_F(QelDialogs, PopMenuOpensBelowTheControlOrAtTheCursor)
{
    QWidget host;
    host.setGeometry(100, 100, 400, 300);
    auto* control = new QWidget(&host);
    control->setGeometry(50, 40, 80, 24);
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    QMenu menu;
    menu.addAction(QStringLiteral("项"));

    qel::PopMenu(&menu, control, 0, 0);
    EXPECT_TRUE(menu.isVisible());
    EXPECT_EQ(menu.pos(), control->mapToGlobal(QPoint(0, control->height())));
    menu.hide();
    qel::PopMenu(&menu, control, 5, 7);
    EXPECT_EQ(menu.pos(), control->mapToGlobal(QPoint(7, control->height() + 5)));
    menu.hide();

    QCursor::setPos(QPoint(230, 210));
    qel::PopMenu(&menu);
    EXPECT_EQ(menu.pos(), QCursor::pos());
    menu.hide();
}

// ---- Folder choice and dropped files ----------------------------------------

TEST_F(QelDialogs, OpenDirDlgOffersFoldersOnlyAndReturnsTheChoice)
{
    QTemporaryDir tmp;
    OnNextModal([&](QWidget* w) {
        auto* dlg = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dlg, nullptr);
        EXPECT_EQ(dlg->windowTitle(), QStringLiteral("选择文件夹"));
        EXPECT_EQ(dlg->fileMode(), QFileDialog::Directory);
        EXPECT_TRUE(dlg->testOption(QFileDialog::ShowDirsOnly));
        EXPECT_TRUE(dlg->testOption(QFileDialog::ReadOnly));   // no way to make a folder
        EXPECT_EQ(dlg->parentWidget(), &Main);
        if (QToolButton* make = dlg->findChild<QToolButton*>(QStringLiteral("newFolderButton"))) {
            EXPECT_FALSE(make->isVisible() && make->isEnabled());
        }
        dlg->setDirectory(tmp.path());
        dlg->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(tmp.path());
        static_cast<QDialog*>(dlg)->accept();
    });
    EXPECT_EQ(qel::OpenDirDlg(QStringLiteral("选择文件夹")), tmp.path());

    OnNextModal([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
    EXPECT_EQ(qel::OpenDirDlg(QStringLiteral("选择文件夹")), QString());
}

TEST(QelFileDrop, GetDragFileNameGivesTheFirstDroppedPath)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/tmp/照片 1.jpg"), QUrl::fromLocalFile("/tmp/b.txt")});
    QDropEvent drop(QPointF(1, 1), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    EXPECT_EQ(qel::GetDragFileName(qel::TMessage(drop)), QStringLiteral("/tmp/照片 1.jpg"));

    QMimeData web;
    web.setUrls({QUrl("http://127.0.0.1/a"), QUrl::fromLocalFile("/tmp/b.txt")});
    EXPECT_EQ(qel::GetDragFileName(qel::TMessage(&web)), QString());
    QMimeData text;
    text.setText("plain");
    EXPECT_EQ(qel::GetDragFileName(qel::TMessage(&text)), QString());
    EXPECT_EQ(qel::GetDragFileName(qel::TMessage()), QString());
}

} // namespace
