// Times the scan behind RefreshJobList over a full table: 101 rows with 20,000 waiting files in
// all (plus converted "_" files that must be skipped), in a temporary drive root.

#include "jobs/job_scan.h"
#include "jobs_bench/scan_workspace.h"

#include <benchmark/benchmark.h>

namespace {

using jobs_bench::kWaitingFiles;

void BM_ScanFullTable(benchmark::State& state) {
    static const jobs_bench::ScanWorkspace workspace;
    shell::Settings settings;
    settings.EnableSched = true;
    std::size_t rows = 0;
    for (auto _ : state) {
        const shell::ScanResult result = shell::ScanJobs(workspace.configPath(), settings);
        rows = result.rows.size();
        benchmark::DoNotOptimize(result.rows.data());
    }
    if (rows != static_cast<std::size_t>(kWaitingFiles)) {
        state.SkipWithError("the scan did not list every waiting file");
    }
    state.counters["jobs"] = static_cast<double>(rows);
}

BENCHMARK(BM_ScanFullTable)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace
