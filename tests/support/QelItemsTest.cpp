#include "support/QelItems.h"

#include "common/TestUtil.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records its own destruction so a test can see exactly what was deleted.
struct TTracked {
    TTracked(std::string name, std::vector<std::string>& log) : Name(std::move(name)), Log(log) {}
    ~TTracked() { Log.push_back(Name); }
    std::string Name;
    std::vector<std::string>& Log;
};

struct ItemsTest : ::testing::Test {
    std::vector<std::string> deleted;
    qel::TItems<TTracked> items;

    void Fill(std::initializer_list<const char*> names)
    {
        for (const char* n : names)
            items.Add(new TTracked(n, deleted));
    }
    std::string Order() const
    {
        std::string s;
        for (int i = 0; i < items.Count(); ++i)
            s += items.Get(i)->Name;
        return s;
    }
};

TEST_F(ItemsTest, EmptyListRejectsEveryIndex)
{
    EXPECT_EQ(items.Count(), 0);
    EXPECT_THROW(items.Get(0), std::out_of_range);
    EXPECT_THROW(items.Get(-1), std::out_of_range);
    items.Delete(0, true);
    items.Clear();
    EXPECT_TRUE(deleted.empty());
}

TEST_F(ItemsTest, DeleteKeepsOrderOrSwapsInTheLastItem)
{
    const struct {
        int index;
        bool keepOrder;
        const char* left;
    } cases[] = {
        {1, true, "PRS"},
        {1, false, "PSR"},
        {3, false, "PQR"},
        {0, true, "QRS"},
        {4, true, "PQRS"},    // out of range: nothing happens
        {-1, false, "PQRS"},
    };
    for (const auto& c : cases) {
        items.Clear();
        Fill({"P", "Q", "R", "S"});
        deleted.clear();
        items.Delete(c.index, c.keepOrder);
        EXPECT_EQ(Order(), c.left) << "index " << c.index << " keepOrder " << c.keepOrder;
        const bool inRange = c.index >= 0 && c.index < 4;
        EXPECT_EQ(deleted.size(), inRange ? 1u : 0u);
    }
}

TEST_F(ItemsTest, RemoveFindsByIdentityAndIgnoresStrangers)
{
    Fill({"P", "Q", "R"});
    TTracked stranger("X", deleted);
    items.Remove(&stranger, true);
    items.Remove(nullptr, false);
    EXPECT_EQ(Order(), "PQR");
    EXPECT_TRUE(deleted.empty());

    items.Remove(items.Get(0), false);
    EXPECT_EQ(Order(), "RQ");
    EXPECT_EQ(deleted, std::vector<std::string>{"P"});
}

TEST_F(ItemsTest, ClearAndDestructionDeleteEachItemOnceInOrder)
{
    std::vector<std::string> log;
    {
        qel::TItems<TTracked> list;
        for (const char* n : {"a", "b", "c"})
            list.Add(new TTracked(n, log));
    }
    EXPECT_EQ(log, (std::vector<std::string>{"a", "b", "c"}));

    Fill({"x", "y"});
    items.Clear();
    EXPECT_EQ(items.Count(), 0);
    EXPECT_EQ(deleted, (std::vector<std::string>{"x", "y"}));
    Fill({"z"});
    EXPECT_EQ(Order(), "z");
}

} // namespace
