#include "support/QelSql.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace {

TStringList List(const QStringList& items)
{
    TStringList list;
    list.List() = items;
    return list;
}

TEST(QelSql, StatementTexts)
{
    TStringList ab = List({"a", "b"});
    TStringList abc = List({"a", "b", "c"});
    TStringList a = List({"a"});
    TStringList v12 = List({"1", "2"});
    TStringList v123 = List({"1", "2", "3"});
    TStringList v1 = List({"1"});
    TStringList obrien = List({"O'Brien"});
    TStringList name = List({"name"});
    struct {
        const char* Call;
        std::function<QString()> Make;
        const char* Result;
    } const cases[] = {
        {"values a,b,c", [&] { return qel::SqlMakeValues(&abc); }, "a,b,c"},
        {"values a", [&] { return qel::SqlMakeValues(&a); }, "a"},
        {"insert", [&] { return qel::SqlMakeInsert("t", &ab, &v12); }, "INSERT INTO t (a,b) VALUES ('1','2');"},
        {"insert, lengths differ", [&] { return qel::SqlMakeInsert("t", &ab, &v1); },
         "INSERT INTO t (a,b) VALUES ('1');"},
        {"insert O'Brien", [&] { return qel::SqlMakeInsert("t", &name, &obrien); },
         "INSERT INTO t (name) VALUES ('O'Brien');"},
        {"select", [&] { return qel::SqlMakeSelect("t", &ab, "", ""); }, "SELECT a,b FROM t;"},
        {"select where order", [&] { return qel::SqlMakeSelect("t", &ab, "id=1", "name"); },
         "SELECT a,b FROM t WHERE id=1 ORDER BY name;"},
        {"select order", [&] { return qel::SqlMakeSelect("t", &ab, "", "name"); }, "SELECT a,b FROM t ORDER BY name;"},
        {"select where", [&] { return qel::SqlMakeSelect("t", &ab, "id=1", ""); }, "SELECT a,b FROM t WHERE id=1;"},
        {"update where", [&] { return qel::SqlMakeUpdate("t", &ab, &v12, "id=3"); },
         "UPDATE t SET a='1',b='2' WHERE id=3;"},
        {"update surplus values", [&] { return qel::SqlMakeUpdate("t", &ab, &v123, ""); }, "UPDATE t SET a='1',b='2';"},
        {"update O'Brien", [&] { return qel::SqlMakeUpdate("t", &name, &obrien, ""); }, "UPDATE t SET name='O'Brien';"},
        {"delete", [&] { return qel::SqlMakeDelete("t", ""); }, "DELETE FROM t;"},
        {"delete where", [&] { return qel::SqlMakeDelete("t", "id=1"); }, "DELETE FROM t WHERE id=1;"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Make(), QString::fromUtf8(c.Result)) << c.Call;
}

// An empty list (or a value list shorter than the columns of an update)
// raises the list's index error and returns nothing.
TEST(QelSql, EmptyListsRaiseTheIndexError)
{
    TStringList empty;
    TStringList ab = List({"a", "b"});
    TStringList v1 = List({"1"});
    struct {
        const char* Call;
        std::function<QString()> Make;
    } const cases[] = {
        {"values", [&] { return qel::SqlMakeValues(&empty); }},
        {"insert, no columns", [&] { return qel::SqlMakeInsert("t", &empty, &v1); }},
        {"insert, no values", [&] { return qel::SqlMakeInsert("t", &ab, &empty); }},
        {"select", [&] { return qel::SqlMakeSelect("t", &empty, "", ""); }},
        {"update, no columns", [&] { return qel::SqlMakeUpdate("t", &empty, &v1, ""); }},
        {"update, short values", [&] { return qel::SqlMakeUpdate("t", &ab, &v1, ""); }},
    };
    for (const auto& c : cases)
        EXPECT_THROW(c.Make(), std::out_of_range) << c.Call;
}

} // namespace
