// Times RefreshJobList in the real main window: 101 table rows with 20,000 waiting files in all
// (plus converted "_" files that are skipped), the scan and the filling of the list and grid.
#include "jobs_bench/scan_workspace.h"
#include "ui/GridForm.h"
#include "ui/JobListView.h"
#include "ui/MainForm.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

using jobs_bench::kWaitingFiles;

void BM_RefreshJobList(benchmark::State& state) {
    static const jobs_bench::ScanWorkspace workspace("ShowTips=0\r\nEnableSched=1\r\n");
    ui::TfrmMainForm form(workspace.configPath());
    ui::TfrmGrid grid;
    form.setCompanions({nullptr, nullptr, &grid, nullptr, nullptr});
    form.resize(800, 500);
    form.show();
    for (auto _ : state) {
        form.RefreshJobList();
        QCoreApplication::processEvents();
    }
    if (form.ListView1()->jobCount() != kWaitingFiles)
        state.SkipWithError("the list does not hold every waiting file");
    state.counters["rows"] = form.ListView1()->jobCount();
}
BENCHMARK(BM_RefreshJobList)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
