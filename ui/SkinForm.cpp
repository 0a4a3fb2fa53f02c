#include "ui/SkinForm.h"

#include <QMouseEvent>
#include <QVBoxLayout>
#include <QWindow>

TSkinForm::TSkinForm(QWidget* form, const TOptions& options)
    : QObject(form), FForm(form), FResizable(options.Resizable)
{
    setObjectName(QStringLiteral("bsBusinessSkinForm1"));
    form->setWindowFlag(Qt::FramelessWindowHint, true);
    form->setAttribute(Qt::WA_StyledBackground);
    form->setMouseTracking(true);

    auto* layout = new QVBoxLayout(form);
    layout->setContentsMargins(BorderWidth, BorderWidth, BorderWidth, BorderWidth);
    layout->setSpacing(0);
    CaptionBar = new TCaptionBar(form, options.Caption);
    Client = new QWidget(form);
    Client->setObjectName(QStringLiteral("SkinClient"));
    Client->setAttribute(Qt::WA_StyledBackground);
    layout->addWidget(CaptionBar);
    layout->addWidget(Client, 1);

    form->installEventFilter(this);
}

void TSkinForm::SetClientSize(const QSize& size)
{
    const QSize whole(size.width() + 2 * BorderWidth, size.height() + TCaptionBar::BarHeight + 2 * BorderWidth);
    FForm->resize(whole);
    if (!FResizable)
        FForm->setFixedSize(whole);
}

Qt::Edges TSkinForm::EdgesAt(const QPoint& pos) const
{
    // A little more than the border, so that the corners are easy to catch.
    constexpr int grip = BorderWidth + 2;
    Qt::Edges edges;
    if (pos.x() < grip)
        edges |= Qt::LeftEdge;
    if (pos.x() >= FForm->width() - grip)
        edges |= Qt::RightEdge;
    if (pos.y() < grip)
        edges |= Qt::TopEdge;
    if (pos.y() >= FForm->height() - grip)
        edges |= Qt::BottomEdge;
    return edges;
}

bool TSkinForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != FForm || !FResizable || FForm->isMaximized())
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseMove: {
        const Qt::Edges edges = EdgesAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        if (edges == (Qt::LeftEdge | Qt::TopEdge) || edges == (Qt::RightEdge | Qt::BottomEdge))
            FForm->setCursor(Qt::SizeFDiagCursor);
        else if (edges == (Qt::RightEdge | Qt::TopEdge) || edges == (Qt::LeftEdge | Qt::BottomEdge))
            FForm->setCursor(Qt::SizeBDiagCursor);
        else if (edges & (Qt::LeftEdge | Qt::RightEdge))
            FForm->setCursor(Qt::SizeHorCursor);
        else if (edges & (Qt::TopEdge | Qt::BottomEdge))
            FForm->setCursor(Qt::SizeVerCursor);
        else
            FForm->unsetCursor();
        break;
    }
    case QEvent::Leave:
        FForm->unsetCursor();
        break;
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const Qt::Edges edges = EdgesAt(mouse->position().toPoint());
        if (mouse->button() == Qt::LeftButton && edges && FForm->windowHandle()) {
            FForm->windowHandle()->startSystemResize(edges);
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
