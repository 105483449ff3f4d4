#include "jobs/job_scan.h"

#include "platform/paths.h"

namespace shell {

std::string TotalFilesText(std::size_t count) {
    return "Total Files:  " + std::to_string(count);
}

std::string NextConversionText(int minutes) {
    return "Next scheduled conversion in " + std::to_string(minutes) + " min";
}

std::string SizeInKbText(uint64_t bytes) {
    const uint64_t low32 = bytes & 0xFFFFFFFFu;
    // Halves round up, as fixed-point formatting without decimals does.
    return std::to_string((low32 + 512) / 1024);
}

std::string SkippedEntryText(const SkippedEntry& entry) {
    switch (entry.reason) {
    case SkipReason::Link:
        return platform::joinPath(entry.inputDir, entry.name) + " is a link, not converted";
    case SkipReason::NotRegularFile:
        return platform::joinPath(entry.inputDir, entry.name) +
               " is not a regular file, not converted";
    case SkipReason::BackslashInName:
        break;
    }
    return "\"" + entry.name + "\" in " + entry.inputDir +
           " has a \"\\\" in its name, not converted";
}

} // namespace shell
