#pragma once

#include <QApplication>
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

} // namespace testutil
