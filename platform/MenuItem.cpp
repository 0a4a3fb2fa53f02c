#include "platform/MenuItem.h"

#include <QAction>

TMenuItem::TMenuItem(QObject* owner) : TMenuItem(QString(), owner) {}

TMenuItem::TMenuItem(const QString& caption, QObject* owner) : QObject(owner), FAction(new QAction(caption, this))
{
    FAction->setCheckable(true);
    connect(FAction, &QAction::triggered, this, [this] {
        // A checkable action toggles itself before it reports the trigger.
        FAction->setChecked(FChecked);
        Click();
    });
}

QString TMenuItem::Caption() const
{
    return FAction->text();
}

void TMenuItem::SetCaption(const QString& caption)
{
    FAction->setText(caption);
}

void TMenuItem::SetChecked(bool checked)
{
    FChecked = checked;
    FAction->setChecked(checked);
}

void TMenuItem::Click()
{
    // Run a copy: the handler may replace OnClick or delete the item.
    const TNotifyEvent handler = OnClick;
    if (handler)
        handler(this);
}
