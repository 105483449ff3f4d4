// Cost of naming one job: the job-number search lists the output folder and 99 sibling folders
// for every job, so it is measured with folders of realistic and large sizes.
#include "convert/job_number_search.h"
#include "convert/output_namer.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

class DriveWithJobs {
public:
    explicit DriveWithJobs(int filesPerFolder) {
        std::string pattern = (std::filesystem::temp_directory_path() / "naming-bench-XXXXXX");
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        root_ = pattern;
        ::setenv("IMPORT_DRIVE_ROOT", root_.c_str(), 1);
        // Three of the sibling folders hold the day's outputs, as in a three-typist office.
        for (const char* folder : {"type1", "Type2", "type3"}) {
            const std::filesystem::path dir = root_ / "c" / "Convert" / "TSP" / folder;
            std::filesystem::create_directories(dir);
            for (int job = 1; job <= filesPerFolder; ++job) {
                std::ofstream(dir / ("N 0315-" + std::to_string(job) + " 1001 0000 00  .vox"));
            }
        }
    }
    ~DriveWithJobs() { std::filesystem::remove_all(root_); }

private:
    std::filesystem::path root_;
};

void BM_HighestJobNumberOfDay(benchmark::State& state) {
    const DriveWithJobs drive(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(convert::HighestJobNumberOfDay("C:\\Convert\\TSP\\type1", "0315"));
    }
    state.SetItemsProcessed(state.iterations() * 3 * state.range(0));
}
BENCHMARK(BM_HighestJobNumberOfDay)->Arg(0)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

void BM_BuildOutputName(benchmark::State& state) {
    const convert::FixedClock clock(2026, 3, 15, 14, 35);
    convert::OutputNamer namer(clock);
    namer.UpdateJobDateKey();
    shell::Settings settings;
    settings.AppendSource = true;
    settings.AppendDate = true;
    for (auto _ : state) {
        benchmark::DoNotOptimize(namer.BuildOutputName(settings, "dictation.wav", "1001", "00"));
    }
}
BENCHMARK(BM_BuildOutputName);

} // namespace
