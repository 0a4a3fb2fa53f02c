#include "support/QelDialogs.h"

#include <QCursor>
#include <QDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

namespace qel {

namespace {

QPointer<QWidget>& MainFormRef()
{
    static QPointer<QWidget> form;
    return form;
}

// True when the box was closed with OK.
bool ShowBox(QMessageBox::Icon icon, const QString& text, const QString& caption,
                                    QWidget* owner, bool withCancel)
{
    if (!owner)
        owner = MainForm();
    QMessageBox box(icon, caption, text, QMessageBox::NoButton, owner);
    box.setTextFormat(Qt::PlainText);   // a file name with "<" is no markup
    box.setWindowModality(Qt::ApplicationModal);   // resets the window flags: set them after
    box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    QPushButton* ok = box.addButton(QMessageBox::Ok);
    ok->setText(QStringLiteral("确定"));
    QPushButton* defaultButton = ok;
    if (withCancel) {
        QPushButton* cancel = box.addButton(QMessageBox::Cancel);
        cancel->setText(QStringLiteral("取消"));
        defaultButton = cancel;
    }
    box.setDefaultButton(defaultButton);
    box.setEscapeButton(defaultButton);
    box.exec();
    return box.clickedButton() == ok;
}

} // namespace

void SetMainForm(QWidget* form)
{
    MainFormRef() = form;
}

QWidget* MainForm()
{
    return MainFormRef().data();
}

void HintBox(const QString& text, const QString& caption, QWidget* owner)
{
    ShowBox(QMessageBox::Information, text, caption, owner, false);
}

bool AskBox(const QString& text, const QString& caption, QWidget* owner)
{
    return ShowBox(QMessageBox::Information, text, caption, owner, true);
}

bool WarnBox(const QString& text, const QString& caption, QWidget* owner)
{
    return ShowBox(QMessageBox::Warning, text, caption, owner, true);
}

void ErrorBox(const QString& text, const QString& caption, QWidget* owner)
{
    ShowBox(QMessageBox::Critical, text, caption, owner, false);
}

void FormShowModal(QDialog* form)
{
    // The dialog may delete itself on close; the guard only deletes what is left.
    struct TGuard {
        QPointer<QDialog> Form;
        ~TGuard() { delete Form.data(); }
    } guard{form};
    form->exec();
}

void PopMenu(QMenu* menu)
{
    menu->popup(QCursor::pos());
}

void PopMenu(QMenu* menu, QWidget* control, int dy, int dx)
{
    menu->popup(control->mapToGlobal(QPoint(dx, control->height() + dy)));
}

} // namespace qel
