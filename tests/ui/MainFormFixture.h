#pragma once

#include "common/TestUtil.h"

#include "engine/Renamefile.h"
#include "ui/DirTree.h"
#include "ui/FileListModel.h"
#include "ui/Mainformfm.h"
#include "ui/Skinctrldm.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTableView>
#include <QTreeView>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace uitest {

// A main window on screen, driven through its controls.
class TMainFormFixture : public ::testing::Test {
public:
    TSkinCtrlModule Skin;
    QTemporaryDir Tmp;
    std::unique_ptr<TMainForm> Form;

    void SetUp() override
    {
        ASSERT_TRUE(Tmp.isValid());
        Form = std::make_unique<TMainForm>();
        Form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
    }

    template <typename T>
    T* Find(const char* name) const
    {
        T* w = Form->findChild<T*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    // A fresh folder under the temporary one holding `files` (empty files).
    QString Folder(const QString& name, const QStringList& files)
    {
        const QString dir = Tmp.path() + u'/' + name;
        QDir().mkpath(dir);
        for (const QString& f : files)
            testutil::MakeFile(dir, f);
        return dir;
    }

    // A left click on the folder's item, as the mouse gives it.
    void ClickFolder(const QString& path)
    {
        QTreeWidgetItem* item = Form->tvDirTree->FindPath(path);
        ASSERT_NE(item, nullptr) << path.toStdString();
        const QRect r = Form->tvDirTree->visualItemRect(item);
        QTest::mouseClick(Form->tvDirTree->viewport(), Qt::LeftButton, {}, r.center());
    }

    void RightClickFolder(const QString& path)
    {
        QTreeWidgetItem* item = Form->tvDirTree->FindPath(path);
        ASSERT_NE(item, nullptr) << path.toStdString();
        const QRect r = Form->tvDirTree->visualItemRect(item);
        QTest::mouseClick(Form->tvDirTree->viewport(), Qt::RightButton, {}, r.center());
    }

    void ClickTab(int index)
    {
        QTabBar* bar = Form->pgcOp->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
        ASSERT_EQ(Form->pgcOp->currentIndex(), index);
    }

    void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }

    void Type(QLineEdit* edit, const QString& text)
    {
        edit->selectAll();
        edit->del();
        QTest::keyClicks(edit, text);
    }

    // Typing reports every character: "" first, then "*", "*." and so on.
    void SetFilter(const QString& filter) { Type(Form->cbbExt->lineEdit(), filter); }
    void PickFilter(const QString& item) { Form->cbbExt->setCurrentIndex(Form->cbbExt->findText(item)); }

    QStringList Rows() const
    {
        QStringList out;
        for (int i = 0; i < Form->FileList()->rowCount(); ++i)
            out << Form->FileList()->FileName(i);
        return out;
    }

    QStringList Previews() const
    {
        QStringList out;
        for (int i = 0; i < Form->FileList()->rowCount(); ++i)
            out << Form->FileList()->Preview(i);
        return out;
    }

    // What the engine alone previews for the folder, entry by entry.
    static QStringList EngineNames(const QString& dir, const std::function<QString(TRenameFile&)>& op)
    {
        TRenameFiles files;
        files.LoadFiles(dir, QStringLiteral("/*.*"));
        QStringList out;
        for (int i = 0; i < files.GetCount(); ++i)
            out << op(*files.GetItem(i));
        return out;
    }
};

} // namespace uitest
