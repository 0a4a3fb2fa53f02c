#pragma once

#include <QLabel>

// An underlined label with a hand cursor that opens its URL through the
// desktop when clicked.
class TLinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit TLinkLabel(QWidget* parent = nullptr);

    QString URL;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};
