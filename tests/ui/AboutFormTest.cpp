#include "WindowTestUtil.h"

#include "support/QelFile.h"
#include "ui/Aboutformfm.h"
#include "ui/LinkLabel.h"
#include "ui/Mainformfm.h"
#include "ui/ProductInfo.h"
#include "ui/SkinForm.h"
#include "ui/Skinctrldm.h"

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QTest>

namespace {

struct TOpened {
    QString File, Params, Dir;
};

class AboutFormTest : public ::testing::Test {
protected:
    TSkinCtrlModule Skin;
    std::unique_ptr<TMainForm> Form;
    std::vector<TOpened> Opened;

    void SetUp() override
    {
        qel::SetShellOpenHandler([this](const QString& f, const QString& p, const QString& d) {
            Opened.push_back({f, p, d});
        });
        Form = std::make_unique<TMainForm>();
        Form->show();
    }
    void TearDown() override { qel::SetShellOpenHandler(nullptr); }

    // Opens the dialog with the About button and runs `look` on it while it is up.
    void WithAbout(const std::function<void(TAboutForm*)>& look)
    {
        Form->pgcOp->setCurrentIndex(TMainForm::pageHelp);
        bool seen = false;
        uitest::OnNextModal([&](QWidget* w) {
            auto* about = qobject_cast<TAboutForm*>(w);
            if (!about) {
                ADD_FAILURE() << "the modal window is no about dialog";
                w->close();
                return;
            }
            seen = true;
            look(about);
        });
        QTest::mouseClick(Form->btnAbout, Qt::LeftButton);
        EXPECT_TRUE(seen);
    }
};

TEST_F(AboutFormTest, ShowsTheProductLinesAndOpensItsLinks)
{
    QPointer<TAboutForm> first;
    WithAbout([&](TAboutForm* about) {
        first = about;
        EXPECT_EQ(about->windowTitle(), QStringLiteral("关于"));
        EXPECT_EQ(about->parentWidget(), Form.get());
        EXPECT_EQ(about->bsBusinessSkinForm1->Client->size(), QSize(309, 230));
        EXPECT_EQ(about->bsBusinessSkinForm1->CaptionBar->MinButton, nullptr);
        EXPECT_EQ(about->bsBusinessSkinForm1->CaptionBar->MaxButton, nullptr);
        EXPECT_EQ(about->bsBusinessSkinForm1->CaptionBar->SystemMenu, nullptr);

        EXPECT_EQ(about->lblName->text(), QStringLiteral("Ralvinor：V1.1.0"));
        EXPECT_EQ(about->lblUpdateDate->text(), QStringLiteral("更新日期：2011-09-12"));
        EXPECT_EQ(about->lblSite->text(), QStringLiteral("官方网站：") + SiteRoot);
        EXPECT_EQ(about->lblMail->text(), QStringLiteral("电子邮箱：") + MailAddress);
        EXPECT_TRUE(about->lblCopyright->text().contains(QLatin1String("2011")));
        EXPECT_FALSE(about->lblLicense->text().isEmpty());
        EXPECT_EQ(about->lblGoSite->text(), QStringLiteral("访问官方网站"));
        EXPECT_EQ(about->lblGoMail->text(), QStringLiteral("发送电子邮件"));
        EXPECT_EQ(about->btnClose->text(), QStringLiteral("关闭"));

        const std::pair<QWidget*, QRect> places[] = {
            {about->lblName, QRect(16, 16, -1, -1)},       {about->lblCopyright, QRect(16, 40, -1, -1)},
            {about->lblUpdateDate, QRect(16, 96, -1, -1)}, {about->lblSite, QRect(16, 120, -1, -1)},
            {about->lblMail, QRect(16, 144, -1, -1)},      {about->lblGoSite, QRect(16, 176, 84, 14)},
            {about->lblGoMail, QRect(16, 200, 84, 14)},    {about->btnClose, QRect(208, 184, 75, 25)},
        };
        for (const auto& [w, r] : places) {
            EXPECT_EQ(w->pos(), r.topLeft()) << w->objectName().toStdString();
            if (r.width() > 0) {
                EXPECT_EQ(w->size(), r.size()) << w->objectName().toStdString();
            }
        }
        EXPECT_EQ(about->lblGoSite->cursor().shape(), Qt::PointingHandCursor);

        // The links open through the desktop; the dialog stays.
        QTest::mouseClick(about->lblGoSite, Qt::LeftButton);
        QTest::mouseClick(about->lblGoMail, Qt::LeftButton);
        EXPECT_TRUE(about->isVisible());
        QTest::mouseClick(about->btnClose, Qt::LeftButton);
    });
    EXPECT_TRUE(first.isNull()) << "the dialog outlived its showing";
    ASSERT_EQ(Opened.size(), 2u);
    EXPECT_EQ(Opened[0].File, SiteRoot);
    EXPECT_EQ(Opened[1].File, QStringLiteral("mailto:") + MailAddress);
    EXPECT_TRUE(Opened[0].Params.isEmpty() && Opened[0].Dir.isEmpty());

    // A second showing builds a new dialog; the caption bar's close button closes it too.
    WithAbout([&](TAboutForm* about) {
        EXPECT_EQ(about->findChildren<TLinkLabel*>().size(), 2);
        QTest::mouseClick(about->bsBusinessSkinForm1->CaptionBar->CloseButton, Qt::LeftButton);
    });
    EXPECT_TRUE(Form->findChildren<TAboutForm*>().isEmpty());
}

} // namespace
