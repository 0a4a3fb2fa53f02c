#pragma once

#include "ui/CaptionBar.h"

#include <QObject>

class QWidget;

// Gives a window the skin's frame: no system frame, a caption bar of its own,
// a thin border that resizes the window when it is resizable, and the client
// area the window builds its controls on.
class TSkinForm : public QObject {
    Q_OBJECT
public:
    struct TOptions {
        TCaptionBar::TOptions Caption;
        bool Resizable = true;
    };

    TSkinForm(QWidget* form, const TOptions& options);

    static constexpr int BorderWidth = 3;

    TCaptionBar* CaptionBar;
    QWidget* Client;

    // Sizes the window so that its client area is `size`.
    void SetClientSize(const QSize& size);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* FForm;
    bool FResizable;

    Qt::Edges EdgesAt(const QPoint& pos) const;
};
