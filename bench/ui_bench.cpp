// The main window against the engine alone, on the same folder of 100,000
// files: a reload (folder search, list, preview of every row) through the
// Refresh button, against LoadFiles plus the same preview calls into a
// vector. The window should add little: no object per row, one reset and
// one change report per pass.
//
// Then the preview's plan: the Preview button with the plan (each row marked
// renamed, unchanged or refused with its reason) against the same button
// with the plan switched off. The plan should add at most 30%.
#include "BenchUtil.h"

#include "engine/Renamefile.h"
#include "platform/Heap.h"
#include "ui/DirTree.h"
#include "ui/FileListModel.h"
#include "ui/Mainformfm.h"
#include "ui/Skinctrldm.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>

#include <cstdlib>
#include <functional>
#include <vector>

namespace {

struct TPlanCase {
    const char* Name;
    std::function<void(TMainForm&)> Choose;
};

struct TCase {
    const char* Name;
    std::function<void(TMainForm&)> Choose;    // picks the operation in the window
    std::function<QString(TRenameFile&, int)> Engine;
};

void Run(int count)
{
    const std::string tag = std::to_string(count / 1000) + "k";
    const QString dir = bench::MakeFolder(count);

    const long long before = bench::ResidentBytes();
    TMainForm form;
    form.show();
    QApplication::processEvents();
    if (!form.tvDirTree->SelectPath(dir)) {
        std::fprintf(stderr, "the folder is not in the tree\n");
        return;
    }

    const std::vector<TCase> cases = {
        {"BaseNameUpper", [](TMainForm& f) { f.crbFileNameUpper->setChecked(true); },
         [](TRenameFile& e, int) { bool x = false; return e.BaseNameUpper(false, x); }},
        {"NewExtName",
         [](TMainForm& f) {
             f.pgcOp->setCurrentIndex(TMainForm::pageExtName);
             f.crbNewExtName->setChecked(true);
         },
         [](TRenameFile& e, int) { bool x = false; return e.NewExtName(QStringLiteral(".txt"), false, x); }},
        {"ReplaceString",
         [](TMainForm& f) {
             f.edtFindString->setText(QStringLiteral("IMG"));
             f.edtReplaceString->setText(QStringLiteral("Trip"));
             f.pgcOp->setCurrentIndex(TMainForm::pageReplace);
         },
         [](TRenameFile& e, int) {
             bool x = false;
             return e.ReplaceString(QStringLiteral("IMG"), QStringLiteral("Trip"), false, x);
         }},
        {"Numbering",
         [](TMainForm& f) {
             f.edtNumberPrefix->setText(QStringLiteral("Trip_"));
             f.edtNumberBit->setValue(6);
             f.pgcOp->setCurrentIndex(TMainForm::pageNumber);
             f.crbNumberFileName->setChecked(true);
         },
         [](TRenameFile& e, int i) {
             bool x = false;
             return e.NewBaseName(QStringLiteral("Trip_") + QString::number(i + 1).rightJustified(6, u'0'), false, x);
         }},
    };

    TRenameFiles engine;
    std::vector<QString> out;
    // The window against the engine alone: list, preview and repaint, without
    // the rename plan, whose cost is measured on its own below.
    form.PlanPreview = false;
    for (const TCase& c : cases) {
        const auto enginePass = [&] {
            engine.LoadFiles(dir, QStringLiteral("/*.*"));
            out.assign(static_cast<std::size_t>(engine.GetCount()), QString());
            for (int i = 0; i < engine.GetCount(); ++i)
                out[static_cast<std::size_t>(i)] = c.Engine(*engine.GetItem(i), i);
        };
        c.Choose(form);
        const auto windowPass = [&] {
            form.btnRefresh->click();
            QApplication::processEvents();   // and let the list repaint
        };
        const std::string what = std::string(" reload+preview ") + c.Name + " " + tag;
        const double engineMs = bench::BestMs(5, enginePass);
        const double windowMs = bench::BestMs(5, windowPass);
        const double engineCpu = bench::BestCpuMs(5, enginePass);
        const double windowCpu = bench::BestCpuMs(5, windowPass);
        if (form.FileList()->rowCount() != count || form.FileList()->Preview(count - 1) != out.back())
            std::fprintf(stderr, "the window's preview differs from the engine's\n");
        bench::Report("engine" + what + " (baseline)", engineMs);
        bench::Report("window" + what, windowMs, engineMs);
        bench::Report("engine" + what + " cpu (baseline)", engineCpu);
        bench::Report("window" + what + " cpu", windowCpu, engineCpu);
    }
    // The plan on top of the preview, from few refusals to nearly all.
    const std::vector<TPlanCase> planCases = {
        {"ReplaceString (all renamed)",
         [](TMainForm& f) {
             f.edtFindString->setText(QStringLiteral("IMG"));
             f.edtReplaceString->setText(QStringLiteral("Trip"));
             f.pgcOp->setCurrentIndex(TMainForm::pageReplace);
         }},
        {"BaseNameLower (all renamed, case only)",
         [](TMainForm& f) {
             f.pgcOp->setCurrentIndex(TMainForm::pageFileName);
             f.crbFileNameLower->setChecked(true);
         }},
        {"Numbering (all renamed)",
         [](TMainForm& f) {
             f.edtNumberPrefix->setText(QStringLiteral("Trip_"));
             f.edtNumberSuffix->clear();
             f.edtNumberBit->setValue(6);
             f.edtNumberStart->setValue(1);
             f.edtNumberPlue->setValue(1);
             f.pgcOp->setCurrentIndex(TMainForm::pageNumber);
             f.crbNumberFileName->setChecked(true);
         }},
        {"Numbering (chain: all taken but the last)",
         [](TMainForm& f) {
             f.edtNumberPrefix->setText(QStringLiteral("IMG_"));
             f.btnPri->click();
         }},
        {"Numbering (increment 0: all duplicates but the first)",
         [](TMainForm& f) {
             f.edtNumberPrefix->setText(QStringLiteral("Trip_"));
             f.edtNumberPlue->setValue(0);
             f.btnPri->click();
         }},
    };
    for (const TPlanCase& c : planCases) {
        c.Choose(form);
        const auto previewPass = [&] {
            form.btnPri->click();
            QApplication::processEvents();
        };
        form.PlanPreview = false;
        const double aloneMs = bench::BestMs(9, previewPass);
        const double aloneCpu = bench::BestCpuMs(9, previewPass);
        form.PlanPreview = true;
        const double planMs = bench::BestMs(9, previewPass);
        const double planCpu = bench::BestCpuMs(9, previewPass);
        const std::string what = std::string(" ") + c.Name + " " + tag;
        bench::Report("window preview" + what + " (baseline)", aloneMs);
        bench::Report("window preview+plan" + what, planMs, aloneMs);
        bench::Report("window preview" + what + " cpu (baseline)", aloneCpu);
        bench::Report("window preview+plan" + what + " cpu", planCpu, aloneCpu);
        std::printf("  (%s)\n", form.lblPlan->text().toUtf8().constData());
    }

    // A reload with its plan: the folder indexed (listed once more, every
    // name hashed) and the first plan, against the same reload without.
    {
        const auto reloadPass = [&] {
            form.btnRefresh->click();
            QApplication::processEvents();
        };
        cases[2].Choose(form);   // ReplaceString
        form.PlanPreview = false;
        const double aloneMs = bench::BestMs(5, reloadPass);
        form.PlanPreview = true;
        const double planMs = bench::BestMs(5, reloadPass);
        bench::Report("window reload+preview ReplaceString " + tag + " (baseline)", aloneMs);
        bench::Report("window reload+preview+index+plan ReplaceString " + tag, planMs, aloneMs);
    }

    std::printf("window with %s rows listed: %.1f MB resident more than before\n", tag.c_str(),
                (bench::ResidentBytes() - before) / 1048576.0);
    bench::RemoveFolder(dir);
}

} // namespace

int main(int argc, char** argv)
{
    plat::KeepFreedHeap();   // as the program does at start-up
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TSkinCtrlModule skin;
    // A smaller count may be given, e.g. to run under a profiler.
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    Run(count > 0 ? count : 100000);
    return 0;
}
