#include "jobs/job_scan.h"

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

} // namespace shell
