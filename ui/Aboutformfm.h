#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class TLinkLabel;
class TSkinForm;

// The about dialog: product, version, rights, licence, release date, site and
// mail, with links to the site and to a new mail. Built for each showing.
class TAboutForm : public QDialog {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget* owner);

    TSkinForm* bsBusinessSkinForm1;
    QPushButton* btnClose;
    TLinkLabel* lblGoSite;
    TLinkLabel* lblGoMail;
    QLabel* lblName;
    QLabel* lblCopyright;
    QLabel* lblLicense;
    QLabel* lblUpdateDate;
    QLabel* lblSite;
    QLabel* lblMail;

    void btnCloseClick(QObject* sender);

private:
    void InitLabels();
};
