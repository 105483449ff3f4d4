#pragma once
// The scan behind RefreshJobList: reloads the directory table from the configuration file and
// lists every waiting *.wav and *.dss file of each table row as a job row.

#include "config/directory_table.h"
#include "config/settings.h"
#include "jobs/job_row.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace shell {

// Status bar texts the scan sets; panel 1 is only set when the scheduler is on.
struct ScanStatus {
    std::string panel0;
    std::optional<std::string> panel1;
    std::string panel3; // always emptied
};

struct ScanResult {
    DirectoryTable table; // to be written into grid rows 1, 2, ... (row 0: kDirectoryHeaders)
    std::vector<JobRow> rows;
    ScanStatus status;
};

// "Total Files:  " followed by the count.
std::string TotalFilesText(std::size_t count);
// "Next scheduled conversion in " N " min".
std::string NextConversionText(int minutes);

// The size column's text: the low 32 bits of the byte count in KB, rounded to the nearest.
std::string SizeInKbText(uint64_t bytes);

// Builds a waiting job row from a found file name and its table row.
JobRow MakeJobRow(const std::string& fileName, uint64_t size, const DirectoryRow& tableRow);

// The scan: reads the table from the configuration file at configPath (a stored path, e.g.
// ".\import.ini"; a missing file reads as an empty table) and searches each row's input folder
// for "*.wav" then "*.dss", skipping names that begin with "_".
ScanResult ScanJobs(const std::string& configPath, const Settings& settings);

} // namespace shell
