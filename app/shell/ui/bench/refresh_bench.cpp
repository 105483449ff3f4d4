// Times RefreshJobList in the real main window: 101 table rows with 20,000 waiting files in all
// (plus converted "_" files that are skipped), the scan and the filling of the list and grid.
#include "ui/GridForm.h"
#include "ui/JobListView.h"
#include "ui/MainForm.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>

namespace {

constexpr int kRows = 101;
constexpr int kWaitingFiles = 20000;

class RefreshWorkspace {
public:
    RefreshWorkspace() {
        std::string pattern = (std::filesystem::temp_directory_path() / "refresh-XXXXXX");
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot create the workspace");
        root_ = pattern;
        ::setenv("IMPORT_DRIVE_ROOT", (root_ / "drives").c_str(), 1);
        std::ofstream ini(root_ / "import.ini", std::ios::binary);
        ini << "[Startup]\r\nShowTips=0\r\nEnableSched=1\r\n";
        for (int row = 1; row <= kRows; ++row) {
            const std::string n = std::to_string(row);
            ini << "InputDir" << n << "=C:\\Dict\\Type" << n << "\r\nOutputDir" << n
                << "=C:\\Convert\\TSP\\type" << n << "\r\nUserID" << n << "=" << 1000 + row
                << "\r\nLoc" << n << "=00\r\n";
        }
        for (int file = 0; file < kWaitingFiles; ++file) {
            const auto folder =
                root_ / "drives/c/Dict" / ("Type" + std::to_string(file % kRows + 1));
            std::filesystem::create_directories(folder);
            const char* extension = file % 3 == 0 ? ".DSS" : ".wav";
            std::ofstream(folder / ("dictation " + std::to_string(file) + extension))
                << std::string(static_cast<std::size_t>(file % 3000), 'x');
            if (file % 10 == 0)
                std::ofstream(folder / ("_done " + std::to_string(file) + ".wav"));
        }
    }
    ~RefreshWorkspace() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    std::string configPath() const { return (root_ / "import.ini").string(); }

private:
    std::filesystem::path root_;
};

void BM_RefreshJobList(benchmark::State& state) {
    static const RefreshWorkspace workspace;
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
