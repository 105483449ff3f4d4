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

// Why an entry named like a dictation is not a job. Only regular files are dictations: a link
// would publish whatever it points to, and reading a FIFO or a device never ends. A name with a
// "\" is no name a stored path can hold: joined to its folder it would name another file.
enum class SkipReason { Link, NotRegularFile, BackslashInName };

struct SkippedEntry {
    std::string inputDir; // the table row's input folder, as stored
    std::string name;
    SkipReason reason;
};

struct ScanResult {
    DirectoryTable table; // to be written into grid rows 1, 2, ... (row 0: kDirectoryHeaders)
    std::vector<JobRow> rows;
    ScanStatus status;
    // Each skipped entry once, also when two table rows list its folder.
    std::vector<SkippedEntry> skipped;
    // Rows whose folders lead outside the drive root (a hand-edited table): never searched, so
    // that no job reads or writes there. What the program says of each.
    std::vector<std::string> refusedRows;
};

// What the program says of a skipped entry, for example: C:\In\x.wav is a link, not converted
// - C:\In\x.dss is not a regular file, not converted - "..\x.wav" in C:\In has a "\" in its
// name, not converted.
std::string SkippedEntryText(const SkippedEntry& entry);

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
// for "*.wav" then "*.dss", skipping names that begin with "_" and entries that are no
// dictation (SkipReason), and rows whose folders lead outside the drive root.
ScanResult ScanJobs(const std::string& configPath, const Settings& settings);

} // namespace shell
