// Engine figures against bare system calls on the same folders:
//   LoadFiles          vs a bare readdir of the folder
//   preview passes     vs LoadFiles
//   apply (numbering)  vs a bare renameat2 loop over as many files
#include "BenchUtil.h"

#include "engine/RenamePlan.h"
#include "platform/DirSearch.h"
#include "platform/Heap.h"
#include "engine/Renamefile.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>
#include <dirent.h>
#include <functional>
#include <vector>

namespace {

double BareReaddir(const QString& dir)
{
    const QByteArray path = QFile::encodeName(dir);
    return bench::BestMs(5, [&] {
        DIR* d = opendir(path.constData());
        long n = 0;
        while (dirent* e = readdir(d))
            n += e->d_name[0] != '.';
        closedir(d);
        if (n < 0)
            std::puts("");
    });
}

struct TPreview {
    const char* name;
    std::function<QString(TRenameFile&, bool&)> op;
};

void Run(int count)
{
    const std::string tag = std::to_string(count / 1000) + "k";
    const QString dir = bench::MakeFolder(count);

    const double readdirMs = BareReaddir(dir);
    bench::Report("readdir " + tag + " (baseline)", readdirMs);

    const long long before = bench::ResidentBytes();
    auto* set = new TRenameFiles;
    const double loadMs = bench::BestMs(5, [&] { set->LoadFiles(dir, QStringLiteral("/*.*")); });
    bench::Report("LoadFiles " + tag, loadMs, readdirMs);
    std::printf("loaded set memory %s: %.1f MB\n", tag.c_str(), (bench::ResidentBytes() - before) / 1048576.0);

    const QString s1 = QStringLiteral("IMG"), s2 = QStringLiteral("Trip"), ext = QStringLiteral(".jpeg");
    const TPreview previews[] = {
        {"BaseNameUpper", [](TRenameFile& f, bool& x) { return f.BaseNameUpper(false, x); }},
        {"BaseNameLower", [](TRenameFile& f, bool& x) { return f.BaseNameLower(false, x); }},
        {"BaseNameFirstUpper", [](TRenameFile& f, bool& x) { return f.BaseNameFirstUpper(false, x); }},
        {"ExtNameUpper", [](TRenameFile& f, bool& x) { return f.ExtNameUpper(false, x); }},
        {"ExtNameLower", [](TRenameFile& f, bool& x) { return f.ExtNameLower(false, x); }},
        {"NewExtName", [&](TRenameFile& f, bool& x) { return f.NewExtName(ext, false, x); }},
        {"NewBaseName", [&](TRenameFile& f, bool& x) { return f.NewBaseName(s2, false, x); }},
        {"ReplaceString", [&](TRenameFile& f, bool& x) { return f.ReplaceString(s1, s2, false, x); }},
        {"RemoveString", [&](TRenameFile& f, bool& x) { return f.RemoveString(s1, false, x); }},
        {"RemoveStringExt", [](TRenameFile& f, bool& x) { return f.RemoveStringExt(2, 3, false, x); }},
        {"InsertString", [&](TRenameFile& f, bool& x) { return f.InsertString(s2, 3, false, x); }},
    };
    std::vector<QString> out(static_cast<std::size_t>(set->GetCount()));
    for (const TPreview& p : previews) {
        const double ms = bench::BestMs(5, [&] {
            bool failed = false;
            for (int i = 0; i < set->GetCount(); ++i)
                out[static_cast<std::size_t>(i)] = p.op(*set->GetItem(i), failed);
        });
        bench::Report(std::string("preview ") + p.name + " " + tag + " (vs LoadFiles)", ms, loadMs);
    }

    // The plan of a numbering preview: every row renamed, each new name looked
    // up against the folder as the steps before it left it.
    {
        QStringList oldNames, newNames, folder;
        double previewMs = bench::BestMs(5, [&] {
            oldNames.clear();
            newNames.clear();
            bool failed = false;
            for (int i = 0; i < set->GetCount(); ++i) {
                TRenameFile* f = set->GetItem(i);
                oldNames << f->FileName;
                newNames << f->NewBaseName(QStringLiteral("Trip_%1").arg(i + 1, 6, 10, QLatin1Char('0')), false, failed);
            }
        });
        bench::Report("preview numbering " + tag + " (baseline)", previewMs);
        TRenamePlanner planner;
        // As the window does once per load: the folder's names read again,
        // unsorted, and indexed with the rows'.
        const double indexMs = bench::BestMs(5, [&] {
            folder = plat::ListNames(dir);
            planner.SetFolder(folder, oldNames, false);
        });
        bench::Report("plan folder index " + tag + " (once per load, vs LoadFiles)", indexMs, loadMs);
        const double planMs = bench::BestMs(5, [&] { planner.Plan(newNames); });
        bench::Report("plan numbering " + tag + " (vs preview)", planMs, previewMs);
    }

    // Bare loop: every file to a new name, as the apply pass below does.
    std::vector<QByteArray> from, to;
    for (int i = 0; i < set->GetCount(); ++i) {
        from.push_back(QFile::encodeName(set->GetItem(i)->FullName));
        to.push_back(QFile::encodeName(dir + QStringLiteral("/x%1.JPG").arg(i)));
    }
    const double renameMs = bench::BestMs(1, [&] {
        for (std::size_t i = 0; i < from.size(); ++i)
            renameat2(AT_FDCWD, from[i].constData(), AT_FDCWD, to[i].constData(), RENAME_NOREPLACE);
    });
    bench::Report("renameat2 loop " + tag + " (baseline)", renameMs);

    set->LoadFiles(dir, QStringLiteral("/*.*"));
    const double applyMs = bench::BestMs(1, [&] {
        bool failed = false;
        for (int i = 0; i < set->GetCount(); ++i)
            set->GetItem(i)->NewBaseName(QStringLiteral("Trip_%1").arg(i + 1, 6, 10, QLatin1Char('0')), true, failed);
    });
    bench::Report("apply numbering " + tag, applyMs, renameMs);

    delete set;
    bench::RemoveFolder(dir);
}

} // namespace

int main(int argc, char** argv)
{
    plat::KeepFreedHeap();   // as the program does at start-up
    QCoreApplication app(argc, argv);
    for (int count : {10000, 100000})
        Run(count);
    return 0;
}
