#include "ui/CaptionBar.h"
#include "ui/SkinForm.h"
#include "ui/Skinctrldm.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSet>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <memory>

namespace {

QStringList ActionTexts(const QMenu* menu)
{
    QStringList out;
    for (const QAction* a : menu->actions())
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

TEST(SkinCtrlModule, HoldsAllSkinTextsWithTheGivenOnesExact)
{
    TSkinCtrlModule skin;
    TStringList* texts = skin.bsResourceStrData1;
    ASSERT_EQ(texts->Count(), 131);
    QSet<QString> keys;
    for (int i = 0; i < texts->Count(); ++i) {
        const QString line = texts->Strings(i);
        const qsizetype eq = line.indexOf(u'=');
        ASSERT_GT(eq, 0) << line.toStdString();
        EXPECT_FALSE(line.mid(eq + 1).isEmpty()) << line.toStdString();
        keys.insert(line.left(eq));
    }
    EXPECT_EQ(keys.size(), 131) << "a key appears twice";

    const std::pair<const char*, const char*> given[] = {
        {"MI_MINCAPTION", "最小化(&N)"}, {"MI_MAXCAPTION", "最大化(&X)"}, {"MI_CLOSECAPTION", "关闭(&C)"},
        {"MI_RESTORECAPTION", "还原(&R)"}, {"MI_MINTOTRAYCAPTION", "最小化到托盘(&T)"},
        {"MI_ROLLUPCAPTION", "收缩(&L)"}, {"MINBUTTON_HINT", "最小化"}, {"MAXBUTTON_HINT", "最大化"},
        {"CLOSEBUTTON_HINT", "关闭"}, {"TRAYBUTTON_HINT", "最小化到托盘"}, {"ROLLUPBUTTON_HINT", "收缩"},
        {"MENUBUTTON_HINT", "系统菜单"}, {"RESTORE_HINT", "还原"}, {"EDIT_UNDO", "撤销"}, {"EDIT_COPY", "复制"},
        {"EDIT_CUT", "剪切"}, {"EDIT_PASTE", "粘贴"}, {"EDIT_DELETE", "删除"}, {"EDIT_SELECTALL", "全部选择"},
        {"MSG_BTN_OK", "确定"}, {"MSG_BTN_CANCEL", "取消"},
    };
    for (const auto& [key, text] : given) {
        EXPECT_EQ(skin.Text(QLatin1String(key)), QString::fromUtf8(text)) << key;
        EXPECT_GE(texts->IndexOf(QLatin1String(key) + u'=' + QString::fromUtf8(text)), 0) << key;
    }
    EXPECT_EQ(skin.Text(QStringLiteral("NO_SUCH_KEY")), QString());

    // The module gives the whole application its look while it lives.
    EXPECT_EQ(qApp->styleSheet(), skin.bsCompressedStoredSkin1);
    EXPECT_EQ(SkinCtrlModule, &skin);
}

TEST(SkinCtrlModule, TextFieldsGetTheSkinsContextMenu)
{
    TSkinCtrlModule skin;
    QWidget host;
    auto* edit = new QLineEdit(&host);
    auto* spin = new QSpinBox(&host);
    spin->move(0, 40);
    host.show();

    edit->setText(QStringLiteral("abcdef"));
    edit->setSelection(1, 2);
    std::unique_ptr<QMenu> menu(TSkinCtrlModule::CreateEditMenu(edit, &host));
    EXPECT_EQ(ActionTexts(menu.get()),
              QStringList({"撤销", "-", "剪切", "复制", "粘贴", "删除", "-", "全部选择"}));
    QAction* del = menu->actions().at(5);
    ASSERT_TRUE(del->isEnabled());
    del->trigger();
    EXPECT_EQ(edit->text(), QStringLiteral("adef"));
    menu.reset(TSkinCtrlModule::CreateEditMenu(edit, &host));
    EXPECT_TRUE(menu->actions().at(0)->isEnabled());    // undo, after the delete
    EXPECT_FALSE(menu->actions().at(2)->isEnabled());   // cut: nothing selected
    menu->actions().at(7)->trigger();
    EXPECT_EQ(edit->selectedText(), QStringLiteral("adef"));

    edit->setReadOnly(true);
    menu.reset(TSkinCtrlModule::CreateEditMenu(edit, &host));
    EXPECT_FALSE(menu->actions().at(2)->isEnabled());   // cut
    EXPECT_TRUE(menu->actions().at(3)->isEnabled());    // copy
    EXPECT_FALSE(menu->actions().at(5)->isEnabled());   // delete

    // A right click on a text field, or on a spin box, pops this menu up.
    for (QWidget* target : {static_cast<QWidget*>(edit), static_cast<QWidget*>(spin)}) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), target->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(target, &event);
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(popup, nullptr) << target->metaObject()->className();
        EXPECT_EQ(popup->objectName(), QStringLiteral("EditMenu"));
        EXPECT_EQ(ActionTexts(popup).value(7), QStringLiteral("全部选择"));
        popup->close();
        QApplication::processEvents();
    }
}

TEST(CaptionBar, ShowsTheSkinsHintsAndSystemMenu)
{
    TSkinCtrlModule skin;
    QWidget form;
    form.setWindowTitle(QStringLiteral("标题"));
    auto* frame = new TSkinForm(&form, {{}, true});
    frame->SetClientSize(QSize(300, 200));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    TCaptionBar* bar = frame->CaptionBar;

    EXPECT_EQ(frame->Client->size(), QSize(300, 200));
    EXPECT_EQ(bar->Title->text(), QStringLiteral("标题"));
    form.setWindowTitle(QStringLiteral("新标题"));
    EXPECT_EQ(bar->Title->text(), QStringLiteral("新标题"));
    EXPECT_EQ(bar->MinButton->toolTip(), QStringLiteral("最小化"));
    EXPECT_EQ(bar->MaxButton->toolTip(), QStringLiteral("最大化"));
    EXPECT_EQ(bar->CloseButton->toolTip(), QStringLiteral("关闭"));
    EXPECT_EQ(bar->IconLabel->toolTip(), QStringLiteral("系统菜单"));
    ASSERT_NE(bar->SystemMenu, nullptr);
    EXPECT_EQ(ActionTexts(bar->SystemMenu), QStringList({"还原(&R)", "最小化(&N)", "最大化(&X)", "-", "关闭(&C)"}));

    // Maximise and restore through the button; the hint and the menu follow.
    QTest::mouseClick(bar->MaxButton, Qt::LeftButton);
    EXPECT_TRUE(form.isMaximized());
    EXPECT_EQ(bar->MaxButton->toolTip(), QStringLiteral("还原"));
    emit bar->SystemMenu->aboutToShow();
    EXPECT_TRUE(bar->SystemMenu->actions().at(0)->isEnabled());
    EXPECT_FALSE(bar->SystemMenu->actions().at(2)->isEnabled());
    bar->SystemMenu->actions().at(0)->trigger();
    EXPECT_FALSE(form.isMaximized());
    EXPECT_EQ(bar->MaxButton->toolTip(), QStringLiteral("最大化"));

    QTest::mouseClick(bar->CloseButton, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
}

} // namespace
