#pragma once

#include <QWidget>

class QLabel;
class QMenu;
class QToolButton;

// The caption bar a skinned window draws itself: icon with the system menu,
// title, minimise, maximise/restore and close buttons. Dragging it moves the
// window, a double click maximises or restores it.
class TCaptionBar : public QWidget {
    Q_OBJECT
public:
    struct TOptions {
        bool Icon = true;         // window icon that opens the system menu
        bool MinButton = true;
        bool MaxButton = true;
    };

    TCaptionBar(QWidget* form, const TOptions& options);

    static constexpr int BarHeight = 26;

    QLabel* IconLabel = nullptr;
    QLabel* Title = nullptr;
    QToolButton* MinButton = nullptr;
    QToolButton* MaxButton = nullptr;
    QToolButton* CloseButton = nullptr;
    QMenu* SystemMenu = nullptr;    // null without an icon

    // Pops the system menu up at a screen point.
    void ShowSystemMenu(const QPoint& globalPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QWidget* FForm;
    TOptions FOptions;
    QAction* FRestore = nullptr;
    QAction* FMinimize = nullptr;
    QAction* FMaximize = nullptr;

    void ToggleMaximized();
    void UpdateState();
};
