#include "jobs/job_scan.h"

#include "platform/file_search.h"
#include "platform/paths.h"
#include "platform/private_profile.h"

#include <optional>
#include <set>

namespace shell {

namespace {

constexpr const char* kScanPatterns[] = {"*.wav", "*.dss"};

bool isConverted(const std::string& name) {
    return !name.empty() && name.front() == '_';
}

std::optional<SkipReason> reasonToSkip(const platform::FoundEntry& entry) {
    if (entry.name.find('\\') != std::string::npos)
        return SkipReason::BackslashInName;
    switch (entry.kind) {
    case platform::EntryKind::RegularFile:
        return std::nullopt;
    case platform::EntryKind::SymbolicLink:
        return SkipReason::Link;
    case platform::EntryKind::Directory:
    case platform::EntryKind::Other:
        break;
    }
    return SkipReason::NotRegularFile;
}

class Scan {
public:
    explicit Scan(ScanResult& result)
        : result_(result) {}

    void appendWaitingFiles(const DirectoryRow& tableRow) {
        const std::string nativeFolder = platform::resolvePath(tableRow.inputDir());
        for (const char* pattern : kScanPatterns) {
            for (const platform::FoundEntry& entry :
                 platform::findEntries(tableRow.inputDir(), pattern)) {
                if (isConverted(entry.name))
                    continue;
                if (const std::optional<SkipReason> reason = reasonToSkip(entry))
                    skipOnce(nativeFolder, SkippedEntry{tableRow.inputDir(), entry.name, *reason});
                else
                    result_.rows.push_back(MakeJobRow(entry.name, entry.size, tableRow));
            }
        }
    }

private:
    void skipOnce(const std::string& nativeFolder, SkippedEntry entry) {
        if (told_.insert(nativeFolder + '/' + entry.name).second)
            result_.skipped.push_back(std::move(entry));
    }

    ScanResult& result_;
    std::set<std::string> told_;
};

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
    Scan scan(result);
    for (int i = 0; i < result.table.tableRowCount; ++i) {
        const DirectoryRow& tableRow = result.table.rowsRead[static_cast<std::size_t>(i)];
        // A blank row keeps the table going but names no folder: searched, " " would be a
        // folder of that name in the working folder.
        if (IsBlankFolder(tableRow.inputDir()))
            continue;
        if (std::optional<std::string> refusal = DirectoryRowRefusal(tableRow, i + 1)) {
            result.refusedRows.push_back("Directory " + *refusal + ", not searched");
            continue;
        }
        scan.appendWaitingFiles(tableRow);
    }
    result.status.panel0 = TotalFilesText(result.rows.size());
    return result;
}

} // namespace shell
