#include "support/QelFormStyle.h"

#include <QAction>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>

namespace {

using qel::fsNormal;
using qel::fsOnDesktop;
using qel::fsStayOnTop;

TEST(FormStyleMeasures, MillimetresAndPixels)
{
    EXPECT_NEAR(qel::PixelToMm(96, 96), 25.4, 1e-12);
    EXPECT_NEAR(qel::MmToPixel(96, 25.4), 96, 1e-12);
    EXPECT_NEAR(qel::MmToPixel(300, 10), 118.11023622047244, 1e-9);   // not rounded
    EXPECT_NEAR(qel::PixelToMm(600, 1), 0.042333333333333334, 1e-15);
}

TEST(FormStyleMeasures, ZoomControlTruncates)
{
    struct Row {
        int W, H;
        float Factor;
        QSize Expected;
    };
    const Row rows[] = {
        {100, 50, 1.5f, {150, 75}},
        {100, 50, 0.333f, {33, 16}},
        {99, 99, 1.0f, {99, 99}},
        {10, 10, 0.0f, {0, 0}},
    };
    QWidget w;
    for (const Row& r : rows) {
        qel::ZoomControl(&w, r.W, r.H, r.Factor);
        EXPECT_EQ(w.size(), r.Expected) << r.W << "x" << r.H << " * " << r.Factor;
    }
}

struct Checks {
    bool Normal, OnTop, Desktop;
    bool operator==(const Checks&) const = default;
};

// A window owning the component and three menu items that count their own
// clicks and note the style the component had when they ran.
class FormStyleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FStyle = new TQelFormStyle(&FForm);
        for (int i = 0; i < 3; ++i) {
            FItems[i] = std::make_unique<TMenuItem>();
            FItems[i]->OnClick = [this, i](QObject* sender) {
                ++FClicks[i];
                FSender = sender;
                FStyleSeen = FStyle ? FStyle->FormStyle() : qel::TFormStyle(-1);
            };
        }
        FStyle->SetFSNormalMenuItem(FItems[0].get());
        FStyle->SetFSStayOnTopMenuItem(FItems[1].get());
        FStyle->SetFSOnDesktopMenuItem(FItems[2].get());
    }

    Checks ChecksNow() const { return {FItems[0]->Checked(), FItems[1]->Checked(), FItems[2]->Checked()}; }

    QWidget FForm;
    TQelFormStyle* FStyle = nullptr;
    std::unique_ptr<TMenuItem> FItems[3];
    int FClicks[3] = {};
    QObject* FSender = nullptr;
    qel::TFormStyle FStyleSeen = fsNormal;
};

TEST_F(FormStyleTest, ConstructionChangesNothing)
{
    EXPECT_EQ(FStyle->Form(), &FForm);
    EXPECT_EQ(FStyle->FormStyle(), fsNormal);
    EXPECT_FALSE(FStyle->AutoChecked());
    EXPECT_EQ(ChecksNow(), (Checks {false, false, false}));

    QObject plainOwner;
    TQelFormStyle noForm(&plainOwner);
    EXPECT_EQ(noForm.Form(), nullptr);
    noForm.SetAutoChecked(true);
    TMenuItem item;
    noForm.SetFSOnDesktopMenuItem(&item);
    item.Click();   // no form to act on: only the mark moves
    EXPECT_EQ(noForm.FormStyle(), fsOnDesktop);
    EXPECT_TRUE(item.Checked());
}

TEST_F(FormStyleTest, ClickSelectsStyleThenRunsEarlierHandler)
{
    FStyle->SetAutoChecked(true);
    FItems[1]->Action()->trigger();
    EXPECT_EQ(FStyle->FormStyle(), fsStayOnTop);
    EXPECT_EQ(FClicks[1], 1);
    EXPECT_EQ(FSender, FItems[1].get());
    EXPECT_EQ(FStyleSeen, fsStayOnTop);   // the style was set before the old handler ran
    EXPECT_EQ(ChecksNow(), (Checks {false, true, false}));
    EXPECT_FALSE(FItems[0]->Action()->isChecked());
    EXPECT_TRUE(FItems[1]->Action()->isChecked());   // the menu shows the mark too

    FItems[2]->Click();
    EXPECT_EQ(FStyle->FormStyle(), fsOnDesktop);
    EXPECT_EQ(ChecksNow(), (Checks {false, false, true}));
    FItems[0]->Click();
    EXPECT_EQ(FStyle->FormStyle(), fsNormal);
    EXPECT_EQ(ChecksNow(), (Checks {true, false, false}));
    EXPECT_EQ(FClicks[0] + FClicks[1] + FClicks[2], 3);
}

TEST_F(FormStyleTest, AutoCheckedOffLeavesMarksAlone)
{
    FItems[0]->SetChecked(true);
    FItems[2]->Click();
    EXPECT_EQ(FStyle->FormStyle(), fsOnDesktop);
    EXPECT_EQ(ChecksNow(), (Checks {true, false, false}));
    EXPECT_EQ(FClicks[2], 1);
}

TEST_F(FormStyleTest, SameStyleAgainDoesNothing)
{
    FStyle->SetAutoChecked(true);
    FStyle->SetFormStyle(fsStayOnTop);
    FItems[0]->SetChecked(true);   // marks out of step on purpose
    FStyle->SetFormStyle(fsStayOnTop);
    EXPECT_EQ(ChecksNow(), (Checks {true, true, false}));
    FItems[1]->Click();   // still runs the item's own handler
    EXPECT_EQ(FClicks[1], 1);
    EXPECT_EQ(ChecksNow(), (Checks {true, true, false}));
}

TEST_F(FormStyleTest, DestroyedComponentGivesHandlersBack)
{
    delete FStyle;
    FStyle = nullptr;
    for (int i = 0; i < 3; ++i)
        FItems[i]->Click();
    EXPECT_EQ(FClicks[0], 1);
    EXPECT_EQ(FClicks[1], 1);
    EXPECT_EQ(FClicks[2], 1);
}

TEST_F(FormStyleTest, ReplacedItemGetsItsHandlerBack)
{
    TMenuItem other;
    int otherClicks = 0;
    other.OnClick = [&](QObject*) { ++otherClicks; };
    FStyle->SetFSStayOnTopMenuItem(&other);
    EXPECT_EQ(FStyle->FSStayOnTopMenuItem(), &other);

    FItems[1]->Click();   // no longer the component's
    EXPECT_EQ(FStyle->FormStyle(), fsNormal);
    EXPECT_EQ(FClicks[1], 1);
    other.Click();
    EXPECT_EQ(FStyle->FormStyle(), fsStayOnTop);
    EXPECT_EQ(otherClicks, 1);

    FStyle->SetFSStayOnTopMenuItem(nullptr);
    other.Click();
    EXPECT_EQ(otherClicks, 2);
    EXPECT_EQ(FStyle->FormStyle(), fsStayOnTop);
}

TEST_F(FormStyleTest, ComponentNeverSavesItsOwnHandler)
{
    // Taken again after being let go, and taken by a second property: each
    // click still runs the item's original handler exactly once.
    FStyle->SetFSNormalMenuItem(nullptr);
    FStyle->SetFSNormalMenuItem(FItems[0].get());
    FItems[0]->Click();
    EXPECT_EQ(FClicks[0], 1);

    FStyle->SetFSOnDesktopMenuItem(FItems[0].get());
    FItems[0]->Click();
    EXPECT_EQ(FStyle->FormStyle(), fsOnDesktop);
    EXPECT_EQ(FClicks[0], 2);

    // Let go by one property, it still serves the other.
    FStyle->SetFSOnDesktopMenuItem(nullptr);
    FStyle->SetFormStyle(fsStayOnTop);
    FItems[0]->Click();
    EXPECT_EQ(FStyle->FormStyle(), fsNormal);
    EXPECT_EQ(FClicks[0], 3);

    delete FStyle;
    FStyle = nullptr;
    FItems[0]->Click();
    EXPECT_EQ(FClicks[0], 4);
}

TEST_F(FormStyleTest, DestroyedItemClearsItsProperty)
{
    FItems[2].reset();
    EXPECT_EQ(FStyle->FSOnDesktopMenuItem(), nullptr);
    FStyle->SetAutoChecked(true);
    FStyle->SetFormStyle(fsOnDesktop);   // nothing left to mark
    EXPECT_FALSE(FItems[0]->Checked());
}

TEST_F(FormStyleTest, TwoComponentsOnOneItem)
{
    QWidget otherForm;
    auto* second = new TQelFormStyle(&otherForm);
    second->SetFSStayOnTopMenuItem(FItems[1].get());
    FItems[1]->Click();
    EXPECT_EQ(second->FormStyle(), fsStayOnTop);
    EXPECT_EQ(FStyle->FormStyle(), fsStayOnTop);
    EXPECT_EQ(FClicks[1], 1);

    // The first goes while the second still holds the item.
    delete FStyle;
    FStyle = nullptr;
    second->SetFormStyle(fsNormal);
    FItems[1]->Click();
    EXPECT_EQ(second->FormStyle(), fsStayOnTop);
    EXPECT_EQ(FClicks[1], 2);

    delete second;
    FItems[1]->Click();
    EXPECT_EQ(FClicks[1], 3);
}

TEST_F(FormStyleTest, HandlerMayDestroyTheComponent)
{
    FItems[1]->OnClick = nullptr;
    TMenuItem item;
    int clicks = 0;
    item.OnClick = [&](QObject*) {
        ++clicks;
        delete FStyle;
        FStyle = nullptr;
    };
    FStyle->SetFSStayOnTopMenuItem(&item);
    item.Click();
    EXPECT_EQ(clicks, 1);
    item.Click();   // its own handler is back
    EXPECT_EQ(clicks, 2);
}

} // namespace
