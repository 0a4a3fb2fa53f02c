#include "ui/LinkLabel.h"

#include "support/QelFile.h"

#include <QMouseEvent>

TLinkLabel::TLinkLabel(QWidget* parent) : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
    setTextFormat(Qt::PlainText);
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && !URL.isEmpty())
        qel::ShellOpen(URL, QString(), QString());
    QLabel::mouseReleaseEvent(event);
}
