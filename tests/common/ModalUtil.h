#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace testutil {

// Runs `answer` on the next modal window once it is up, from inside its modal
// loop; the answer must close it. Polls briefly, since the window appears
// only after the call that opens it has started.
inline void OnNextModal(std::function<void(QWidget*)> answer)
{
    auto* timer = new QTimer(qApp);
    auto tries = std::make_shared<int>(0);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, tries, answer] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal && ++*tries < 2000)
            return;
        timer->stop();
        timer->deleteLater();
        if (!modal) {
            ADD_FAILURE() << "no modal window came up";
            return;
        }
        answer(modal);
    });
    timer->start();
}

// What a message box showed, and whether one was seen at all.
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

inline void ReadBox(const QMessageBox& box, TBoxSeen* seen)
{
    seen->Seen = true;
    seen->Title = box.windowTitle();
    seen->Text = box.text();
    seen->Icon = box.icon();
    for (QAbstractButton* b : box.buttons())
        seen->Buttons << b->text();
    seen->DefaultButton = box.defaultButton() ? box.defaultButton()->text() : QString();
    seen->Parent = box.parentWidget();
    seen->Topmost = box.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

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
        ReadBox(*box, seen);
        QAbstractButton* button = box->button(which);
        if (!button) {
            ADD_FAILURE() << "the box has no such button";
            box->reject();
            return;
        }
        button->click();
    });
}

} // namespace testutil
