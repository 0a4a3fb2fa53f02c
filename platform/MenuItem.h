#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QAction;

// A menu entry with a check mark and one replaceable click handler. It owns
// the QAction that menus and tool bars show; triggering the action runs
// OnClick with the item as sender. The check mark changes only through
// SetChecked, never by the click itself.
class TMenuItem : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool Checked READ Checked WRITE SetChecked)

public:
    using TNotifyEvent = std::function<void(QObject* sender)>;

    explicit TMenuItem(QObject* owner = nullptr);
    TMenuItem(const QString& caption, QObject* owner);

    QAction* Action() const { return FAction; }

    QString Caption() const;
    void SetCaption(const QString& caption);

    bool Checked() const { return FChecked; }
    void SetChecked(bool checked);

    // Runs OnClick as a click on the item does.
    void Click();

    TNotifyEvent OnClick;

private:
    QAction* FAction;
    bool FChecked = false;
};
