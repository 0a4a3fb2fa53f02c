#include "engine/RenamePlan.h"

#include "common/TestUtil.h"
#include "engine/Renamefile.h"
#include "platform/FileRename.h"

#include <QDir>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <map>

using testutil::MakeFile;
using testutil::NamesIn;

namespace {

QStringList L(std::initializer_list<const char*> names)
{
    QStringList out;
    for (const char* n : names)
        out << QString::fromUtf8(n);
    return out;
}

std::string DescribeRow(const TRenamePlan& plan, const TPlanRow& r)
{
    switch (r.Outcome) {
    case TPlanOutcome::Renamed: return "R";
    case TPlanOutcome::Unchanged: return "U";
    case TPlanOutcome::TargetTaken: return "T(" + plan.HolderName(r).toStdString() + ")";
    case TPlanOutcome::Duplicate: return "D(" + std::to_string(r.Holder) + ")";
    case TPlanOutcome::InvalidName: return "I";
    }
    return "?";
}

std::string Describe(const TRenamePlan& plan)
{
    std::string s;
    for (const TPlanRow& r : plan.Rows)
        s += DescribeRow(plan, r) + " ";
    return s;
}

TEST(RenamePlan, Table)
{
    const struct {
        const char* what;
        QStringList oldNames, newNames, others;
        bool caseInsensitive;
        const char* expected;
    } cases[] = {
        {"chain forward", L({"1.txt", "2.txt", "3.txt"}), L({"2.txt", "3.txt", "4.txt"}), {}, false, "T(2.txt) T(3.txt) R "},
        {"chain backward", L({"2.txt", "3.txt"}), L({"1.txt", "2.txt"}), {}, false, "R R "},
        {"swap", L({"a", "b"}), L({"b", "a"}), {}, false, "T(b) T(a) "},
        {"same new name twice", L({"a", "b"}), L({"x", "x"}), {}, false, "R D(0) "},
        {"unchanged", L({"a"}), L({"a"}), {}, false, "U "},
        {"taken by a file outside the list", L({"a.txt"}), L({"b.txt"}), L({"b.txt", "sub"}), false, "T(b.txt) "},
        {"taken by a folder", L({"a.txt"}), L({"sub"}), L({"sub"}), false, "T(sub) "},
        {"invalid names", L({"a", "b", "c", "d", "e"}), L({"", ".", "..", "x/y", "ok"}), {}, false, "I I I I R "},
        {"case only, sensitive", L({"A.txt"}), L({"a.txt"}), {}, false, "R "},
        {"case only, insensitive", L({"A.txt"}), L({"a.txt"}), {}, true, "R "},
        {"other case taken, insensitive", L({"x.txt"}), L({"B.TXT"}), L({"b.txt"}), true, "T(b.txt) "},
        {"other case free, sensitive", L({"x.txt"}), L({"B.TXT"}), L({"b.txt"}), false, "R "},
        {"duplicates by case, insensitive", L({"a", "b"}), L({"X", "x"}), {}, true, "R D(0) "},
        {"freed name is reused", L({"a", "b"}), L({"c", "a"}), {}, false, "R R "},
    };
    for (const auto& c : cases) {
        const QStringList folder = c.oldNames + c.others;
        EXPECT_EQ(Describe(PlanRenames(c.oldNames, c.newNames, folder, c.caseInsensitive)), c.expected) << c.what;
    }
}

TEST(RenamePlan, TooLongForTheFileSystem)
{
    const QString longName(300, u'x');
    const QString fits = QString(84, QChar(0x4E2D));   // 252 bytes in UTF-8
    const auto plan = PlanRenames(L({"a", "b"}), {longName, fits}, L({"a", "b"}), false, 255);
    EXPECT_EQ(Describe(plan), "I R ");
    EXPECT_EQ(Describe(PlanRenames(L({"a"}), {QString(86, QChar(0x4E2D))}, L({"a"}), false, 255)), "I ");
}

TEST(RenamePlan, PlannerCanBeAskedAgain)
{
    TRenamePlanner planner;
    planner.SetFolder(L({"1", "2", "3", "x"}), L({"1", "2", "3"}), false);
    const auto first = planner.Plan(L({"3", "4", "5"}));
    EXPECT_EQ(Describe(first), "T(3) R R ");
    EXPECT_EQ(Describe(planner.Plan(L({"3", "4", "5"}))), Describe(first));
    EXPECT_EQ(Describe(planner.Plan(L({"4", "4", "x"}))), "R D(0) T(x) ");
    const TPlanCounts counts = first.Counts;
    EXPECT_EQ(counts.Renamed, 2);
    EXPECT_EQ(counts.Refused, 1);
    EXPECT_EQ(counts.Unchanged, 0);
}

// Up to `maxLen` characters from a tiny alphabet, so that names collide,
// differ only in case, or are "." and "..".
QString RandomName(QRandomGenerator& rng, int maxLen)
{
    static const QString alphabet = QStringLiteral("abAB1.");
    QString s;
    const int len = int(rng.bounded(maxLen + 1));
    for (int i = 0; i < len; ++i)
        s += alphabet[int(rng.bounded(alphabet.size()))];
    return s;
}

// The rename pass told one step at a time, with a plain map of the names in
// the folder: what the planner's tables and filters must agree with.
std::string Simulate(const QStringList& oldNames, const QStringList& newNames, const QStringList& folderNames,
                     bool caseInsensitive)
{
    const auto key = [&](const QString& n) { return caseInsensitive ? n.toCaseFolded() : n; };
    struct THolder {
        int Row;         // -1: the folder's own entry
        QString Name;    // its spelling
    };
    std::map<QString, THolder> present;
    for (const QString& n : folderNames)
        present.emplace(key(n), THolder{-1, n});
    std::string s;
    for (qsizetype i = 0; i < oldNames.size(); ++i) {
        const QString& to = newNames[i];
        if (to.isEmpty() || to == u"." || to == u".." || to.contains(u'/') || to.contains(QChar(0))
            || to.toUtf8().size() > 255) {
            s += "I ";
        } else if (to == oldNames[i]) {
            s += "U ";
        } else if (const auto it = present.find(key(to)); it != present.end() && it->first != key(oldNames[i])) {
            s += it->second.Row >= 0 ? "D(" + std::to_string(it->second.Row) + ") "
                                     : "T(" + it->second.Name.toStdString() + ") ";
        } else {
            present.erase(key(oldNames[i]));
            present[key(to)] = THolder{int(i), to};
            s += "R ";
        }
    }
    return s;
}

// Large batches drawn from a handful of names: every row meets taken names,
// freed names, earlier rows and names that only differ in case, and the
// planner's filters are full enough to be wrong about some of them.
TEST(RenamePlan, PlannerAgreesWithAStepByStepSimulation)
{
    QRandomGenerator rng(4711);
    auto randomName = [&](int maxLen) { return RandomName(rng, maxLen); };
    for (int round = 0; round < 40; ++round) {
        const bool ci = round % 2 == 1;
        const auto key = [&](const QString& n) { return ci ? n.toCaseFolded() : n; };
        QStringList folder;
        QSet<QString> keys;
        const int size = 1 + int(rng.bounded(round < 20 ? 40 : 3000));
        while (folder.size() < size) {
            const QString n = randomName(round < 20 ? 3 : 6);
            if (!n.isEmpty() && n != u"." && n != u".." && !keys.contains(key(n))) {
                keys.insert(key(n));
                folder << n;
            }
        }
        QStringList oldNames, newNames;
        for (const QString& n : folder) {
            if (rng.bounded(5) == 0)
                continue;   // not in the list: still in the way
            oldNames << n;
            switch (rng.bounded(4)) {
            case 0: newNames << folder[int(rng.bounded(folder.size()))]; break;
            case 1: newNames << n.toUpper(); break;
            default: newNames << randomName(round < 20 ? 3 : 5); break;
            }
        }
        TRenamePlanner planner;
        planner.SetFolder(folder, oldNames, ci);
        const std::string expected = Simulate(oldNames, newNames, folder, ci);
        EXPECT_EQ(Describe(planner.Plan(newNames)), expected) << "round " << round;
        EXPECT_EQ(Describe(planner.Plan(newNames)), expected) << "round " << round << ", asked again";
    }
}

// The prediction must match what the apply pass really does on disk, for
// batches full of collisions, chains and swaps.
TEST(RenamePlan, PredictsTheRealApplyPass)
{
    QRandomGenerator rng(20261211);
    auto randomText = [&](int maxLen) { return RandomName(rng, maxLen); };
    using TOp = std::function<QString(TRenameFile&, bool, bool&)>;
    const std::vector<std::function<TOp()>> ops = {
        [&] { return TOp([](TRenameFile& f, bool r, bool& x) { return f.BaseNameUpper(r, x); }); },
        [&] { return TOp([](TRenameFile& f, bool r, bool& x) { return f.BaseNameLower(r, x); }); },
        [&] { return TOp([](TRenameFile& f, bool r, bool& x) { return f.BaseNameFirstUpper(r, x); }); },
        [&] { return TOp([](TRenameFile& f, bool r, bool& x) { return f.ExtNameUpper(r, x); }); },
        [&] { return TOp([](TRenameFile& f, bool r, bool& x) { return f.ExtNameLower(r, x); }); },
        [&] { const QString e = randomText(2); return TOp([e](TRenameFile& f, bool r, bool& x) { return f.NewExtName(e, r, x); }); },
        [&] { const QString b = randomText(2); return TOp([b](TRenameFile& f, bool r, bool& x) { return f.NewBaseName(b, r, x); }); },
        [&] {
            const QString a = randomText(1), b = randomText(2);
            return TOp([a, b](TRenameFile& f, bool r, bool& x) { return f.ReplaceString(a, b, r, x); });
        },
        [&] { const QString a = randomText(2); return TOp([a](TRenameFile& f, bool r, bool& x) { return f.RemoveString(a, r, x); }); },
        [&] {
            const int first = 1 + int(rng.bounded(3)), num = int(rng.bounded(3));
            return TOp([first, num](TRenameFile& f, bool r, bool& x) { return f.RemoveStringExt(first, num, r, x); });
        },
        [&] {
            const QString s = randomText(2);
            const int pos = int(rng.bounded(5));
            return TOp([s, pos](TRenameFile& f, bool r, bool& x) { return f.InsertString(s, pos, r, x); });
        },
    };

    for (int round = 0; round < 300; ++round) {
        QTemporaryDir tmp;
        ASSERT_TRUE(tmp.isValid());
        const QString d = tmp.path();
        const int files = 1 + int(rng.bounded(6));
        for (int i = 0; i < files; ++i) {
            const QString name = randomText(3);
            if (!name.isEmpty() && name != u"." && name != u"..")
                MakeFile(d, name, name.toUtf8());
        }
        if (rng.bounded(4) == 0)
            QDir(d).mkdir(randomText(2) + u'x');

        TRenameFiles set;
        set.LoadFiles(d, QStringLiteral("/*.*"));
        const TOp op = ops[rng.bounded(quint32(ops.size()))]();
        QStringList oldNames, newNames;
        for (int i = 0; i < set.GetCount(); ++i) {
            oldNames << set.GetItem(i)->GetFileName();
            bool unused = false;
            newNames << op(*set.GetItem(i), false, unused);
        }
        const QStringList before = NamesIn(d);
        const auto plan = PlanRenames(oldNames, newNames, before, plat::IsCaseInsensitiveFolder(d, before));

        QStringList expectedAfter = before;
        for (int i = 0; i < set.GetCount(); ++i) {
            TRenameFile& f = *set.GetItem(i);
            bool failed = false;
            op(f, true, failed);
            const TPlanRow& row = plan.Rows[std::size_t(i)];
            EXPECT_EQ(failed, row.Refused())
                << "round " << round << " row " << i << ": " << oldNames[i].toStdString() << " -> "
                << newNames[i].toStdString() << " predicted " << DescribeRow(plan, row);
            if (row.Outcome == TPlanOutcome::Renamed) {
                expectedAfter.removeOne(oldNames[i]);
                expectedAfter << newNames[i];
            }
        }
        expectedAfter.sort();
        EXPECT_EQ(NamesIn(d), expectedAfter) << "round " << round;
    }
}

} // namespace
