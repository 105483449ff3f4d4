// A temporary drive root with a full directory table (101 rows) and 20,000 waiting files in
// all, plus converted "_" files that a scan must skip. Shared by the scan and refresh benchmarks.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace jobs_bench {

inline constexpr int kRows = 101;
inline constexpr int kWaitingFiles = 20000;

class ScanWorkspace {
public:
    // `extraSettings`: further lines of the "Startup" section, each ending in CRLF.
    explicit ScanWorkspace(const std::string& extraSettings = {}) {
        std::string pattern = (std::filesystem::temp_directory_path() / "jobscan-XXXXXX");
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot create the workspace");
        }
        root_ = pattern;
        ::setenv("IMPORT_DRIVE_ROOT", (root_ / "drives").c_str(), 1);
        writeTable(extraSettings);
        writeFiles();
    }
    ~ScanWorkspace() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    ScanWorkspace(const ScanWorkspace&) = delete;
    ScanWorkspace& operator=(const ScanWorkspace&) = delete;

    std::string configPath() const { return (root_ / "import.ini").string(); }

private:
    void writeTable(const std::string& extraSettings) const {
        std::ofstream ini(root_ / "import.ini", std::ios::binary);
        ini << "[Startup]\r\n" << extraSettings;
        for (int row = 1; row <= kRows; ++row) {
            const std::string n = std::to_string(row);
            ini << "InputDir" << n << "=C:\\Dict\\Type" << n << "\r\nOutputDir" << n
                << "=C:\\Convert\\TSP\\type" << n << "\r\nUserID" << n << "=" << 1000 + row
                << "\r\nLoc" << n << "=00\r\n";
        }
    }
    void writeFiles() const {
        for (int file = 0; file < kWaitingFiles; ++file) {
            const auto folder =
                root_ / "drives/c/Dict" / ("Type" + std::to_string(file % kRows + 1));
            std::filesystem::create_directories(folder);
            const char* extension = file % 3 == 0 ? ".DSS" : ".wav";
            std::ofstream(folder / ("dictation " + std::to_string(file) + extension))
                << std::string(static_cast<std::size_t>(file % 5000), 'x');
            if (file % 10 == 0) {
                std::ofstream(folder / ("_done " + std::to_string(file) + ".wav"));
            }
        }
    }

    std::filesystem::path root_;
};

} // namespace jobs_bench
