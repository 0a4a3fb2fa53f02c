#pragma once

#include "common/ModalUtil.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace uitest {

using testutil::OnNextModal;

// What a message box showed, and the button its answer pressed.
struct TBoxSeen {
    bool Seen = false;
    QString Title;
    QString Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    QStringList Buttons;
    QString DefaultButton;
    QWidget* Parent = nullptr;
    bool Topmost = false;
};

// Answers the next message box by clicking the button of `which`, recording
// what it showed into `seen`.
inline void AnswerBox(QMessageBox::StandardButton which, TBoxSeen* seen)
{
    OnNextModal([which, seen](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        if (!box) {
            ADD_FAILURE() << "the modal window is no message box";
            w->close();
            return;
        }
        seen->Seen = true;
        seen->Title = box->windowTitle();
        seen->Text = box->text();
        seen->Icon = box->icon();
        for (QAbstractButton* b : box->buttons())
            seen->Buttons << b->text();
        seen->DefaultButton = box->defaultButton() ? box->defaultButton()->text() : QString();
        seen->Parent = box->parentWidget();
        seen->Topmost = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        QAbstractButton* button = box->button(which);
        if (!button) {
            ADD_FAILURE() << "the box has no such button";
            box->reject();
            return;
        }
        button->click();
    });
}

} // namespace uitest
