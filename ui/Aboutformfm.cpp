#include "ui/Aboutformfm.h"

#include "ui/Application.h"
#include "ui/LinkLabel.h"
#include "ui/Placement.h"
#include "ui/ProductInfo.h"
#include "ui/SkinForm.h"
#include "ui/Skinctrldm.h"

#include <QLabel>
#include <QPushButton>

TAboutForm::TAboutForm(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("关于"));
    setFont(TSkinCtrlModule::FormFont());
    bsBusinessSkinForm1 = new TSkinForm(this, {{.Icon = false, .MinButton = false, .MaxButton = false}, false});
    QWidget* client = bsBusinessSkinForm1->Client;

    btnClose = Place<QPushButton>(client, "btnClose", 208, 184);
    btnClose->resize(75, 25);
    btnClose->setText(QStringLiteral("关闭"));
    lblGoSite = Place<TLinkLabel>(client, "lblGoSite", 16, 176);
    lblGoSite->resize(84, 14);
    lblGoSite->setText(QStringLiteral("访问官方网站"));
    lblGoMail = Place<TLinkLabel>(client, "lblGoMail", 16, 200);
    lblGoMail->resize(84, 14);
    lblGoMail->setText(QStringLiteral("发送电子邮件"));
    lblName = Place<QLabel>(client, "lblName", 16, 16);
    lblCopyright = Place<QLabel>(client, "lblCopyright", 16, 40);
    lblLicense = Place<QLabel>(client, "lblLicense", 16, 68);
    lblUpdateDate = Place<QLabel>(client, "lblUpdateDate", 16, 96);
    lblSite = Place<QLabel>(client, "lblSite", 16, 120);
    lblMail = Place<QLabel>(client, "lblMail", 16, 144);
    for (QLabel* label : {lblName, lblCopyright, lblLicense, lblUpdateDate, lblSite, lblMail})
        label->setTextFormat(Qt::PlainText);

    InitLabels();
    bsBusinessSkinForm1->SetClientSize(QSize(309, 230));

    connect(btnClose, &QPushButton::clicked, this, Guarded([this] { btnCloseClick(btnClose); }));
}

void TAboutForm::InitLabels()
{
    lblName->setText(QStringLiteral("Ralvinor：") + VersionText);
    lblCopyright->setText(QStringLiteral("版权所有 (C) 2011 Ralvinor 软件工作室"));
    lblLicense->setText(QStringLiteral("授权方式：免费软件"));
    lblUpdateDate->setText(QStringLiteral("更新日期：") + ReleaseDate);
    lblSite->setText(QStringLiteral("官方网站：") + SiteRoot);
    lblMail->setText(QStringLiteral("电子邮箱：") + MailAddress);
    for (QLabel* label : {lblName, lblCopyright, lblLicense, lblUpdateDate, lblSite, lblMail})
        label->adjustSize();
    lblGoSite->URL = SiteRoot;
    lblGoMail->URL = MailtoUrl;
}

void TAboutForm::btnCloseClick(QObject*)
{
    close();
}
