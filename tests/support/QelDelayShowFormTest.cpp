#include "support/QelDelayShowForm.h"

#include <QPointer>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// A fake clock that moves on by Step ms each time it is read.
quint32 Now = 0;
quint32 Step = 0;
int Reads = 0;

quint32 FakeTicks()
{
    ++Reads;
    const quint32 t = Now;
    Now += Step;
    return t;
}

class DelayShowFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Now = 0;
        Step = 0;
        Reads = 0;
        FOld = qel::TDelayShowForm::SetTickSource(&FakeTicks);
    }
    void TearDown() override { qel::TDelayShowForm::SetTickSource(FOld); }

private:
    qel::TDelayShowForm::TTickSource FOld = nullptr;
};

} // namespace

TEST_F(DelayShowFormTest, ShowsThenFreesAfterTheDelay)
{
    // Shown just before the 32-bit tick counter wraps; the wait must still
    // end after 500 ms, not at once and not never.
    Now = 0xFFFFFF00u;
    auto* form = new QWidget;
    QPointer<QWidget> watch(form);
    qel::TDelayShowForm d(form);
    d.Show();
    EXPECT_TRUE(form->isVisible());

    Step = 100;
    Reads = 0;
    d.Free(500);
    EXPECT_EQ(Reads, 6); // read at +0 .. +500 ms: five waits, then done
    EXPECT_TRUE(watch.isNull());
    EXPECT_EQ(d.Form(), nullptr);
}

TEST_F(DelayShowFormTest, NoWaitWhenTheTimeHasPassed)
{
    struct Case {
        const char* what;
        quint32 elapsed;
        quint32 delay;
    } cases[] = {{"Free(0) right after Show", 0, 0}, {"Free(500) 600 ms after Show", 600, 500}};
    for (const Case& c : cases) {
        auto* form = new QWidget;
        QPointer<QWidget> watch(form);
        qel::TDelayShowForm d(form);
        d.Show();
        Now += c.elapsed;
        Reads = 0;
        d.Free(c.delay);
        EXPECT_EQ(Reads, 1) << c.what;
        EXPECT_TRUE(watch.isNull()) << c.what;
    }
}

TEST_F(DelayShowFormTest, DestructorFreesTheFormAndNullIsFine)
{
    auto* form = new QWidget;
    QPointer<QWidget> watch(form);
    {
        qel::TDelayShowForm d(form);
        d.Show();
    }
    EXPECT_TRUE(watch.isNull());

    qel::TDelayShowForm empty(nullptr);
    empty.Show();
    empty.Free(0);
    // Without Show the wait is measured from construction and stays bounded.
    Step = 100;
    qel::TDelayShowForm never(new QWidget);
    never.Free(300);
    EXPECT_EQ(never.Form(), nullptr);
}
