#include "jobs/job_scan.h"

#include "platform/file_search.h"
#include "platform/private_profile.h"

namespace shell {

namespace {

constexpr const char* kScanPatterns[] = {"*.wav", "*.dss"};

bool isConverted(const std::string& name) {
    return !name.empty() && name.front() == '_';
}

void appendWaitingFiles(const DirectoryRow& tableRow, std::vector<JobRow>& rows) {
    for (const char* pattern : kScanPatterns) {
        for (const platform::FoundEntry& entry :
             platform::findEntries(tableRow.inputDir(), pattern)) {
            if (!isConverted(entry.name)) {
                rows.push_back(MakeJobRow(entry.name, entry.size, tableRow));
            }
        }
    }
}

} // namespace

JobRow MakeJobRow(const std::string& fileName, uint64_t size, const DirectoryRow& tableRow) {
    JobRow row;
    row.columns[kColInputFile] = fileName;
    row.columns[kColInputSize] = SizeInKbText(size);
    row.columns[kColOutputFile] = " ";
    row.columns[kColOutputSize] = " ";
    row.columns[kColInputDir] = tableRow.inputDir();
    row.columns[kColOutputDir] = tableRow.outputDir();
    row.columns[kColUserId] = tableRow.userId();
    row.columns[kColLoc] = tableRow.location();
    row.image = GetImageIndex(fileName.substr(0, 1));
    return row;
}

ScanResult ScanJobs(const std::string& configPath, const Settings& settings) {
    ScanResult result;
    if (settings.EnableSched) {
        result.status.panel1 = NextConversionText(settings.ConvertInterval);
    }
    // One parse of the file serves all 404 reads of the table.
    result.table = ReadDirectoryTable(platform::ProfileReader(configPath));
    for (int i = 0; i < result.table.tableRowCount; ++i) {
        const DirectoryRow& tableRow = result.table.rowsRead[static_cast<std::size_t>(i)];
        // A blank row keeps the table going but names no folder: searched, " " would be a
        // folder of that name in the working folder.
        if (!IsBlankFolder(tableRow.inputDir())) {
            appendWaitingFiles(tableRow, result.rows);
        }
    }
    result.status.panel0 = TotalFilesText(result.rows.size());
    return result;
}

} // namespace shell
