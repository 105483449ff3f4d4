// Times the scan behind RefreshJobList over a full table: 101 rows with 20,000 waiting files in
// all (plus converted "_" files that must be skipped), in a temporary drive root.

#include "jobs/job_scan.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace {

constexpr int kRows = 101;
constexpr int kWaitingFiles = 20000;

class ScanWorkspace {
public:
    ScanWorkspace() {
        std::string pattern = (std::filesystem::temp_directory_path() / "jobscan-XXXXXX");
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot create the workspace");
        }
        root_ = pattern;
        ::setenv("IMPORT_DRIVE_ROOT", (root_ / "drives").c_str(), 1);
        std::ofstream ini(root_ / "import.ini", std::ios::binary);
        ini << "[Startup]\r\n";
        for (int row = 1; row <= kRows; ++row) {
            const std::string n = std::to_string(row);
            ini << "InputDir" << n << "=C:\\Dict\\Type" << n << "\r\nOutputDir" << n
                << "=C:\\Convert\\TSP\\type" << n << "\r\nUserID" << n << "=" << 1000 + row
                << "\r\nLoc" << n << "=00\r\n";
        }
        for (int file = 0; file < kWaitingFiles; ++file) {
            const int row = file % kRows + 1;
            const auto folder = root_ / "drives/c/Dict" / ("Type" + std::to_string(row));
            std::filesystem::create_directories(folder);
            const char* extension = file % 3 == 0 ? ".DSS" : ".wav";
            std::ofstream(folder / ("dictation " + std::to_string(file) + extension))
                << std::string(static_cast<std::size_t>(file % 5000), 'x');
            if (file % 10 == 0) {
                std::ofstream(folder / ("_done " + std::to_string(file) + ".wav"));
            }
        }
    }
    ~ScanWorkspace() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    std::string configPath() const { return (root_ / "import.ini").string(); }

private:
    std::filesystem::path root_;
};

void BM_ScanFullTable(benchmark::State& state) {
    static const ScanWorkspace workspace;
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
