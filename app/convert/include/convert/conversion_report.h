#pragma once
// The conversion report "import.txt": a fixed-width table of the selected jobs with their
// sizes and folders, written byte for byte (CR LF line ends on every platform).

#include "jobs/job_row.h"

#include <cstddef>
#include <span>
#include <string>

namespace convert {

inline constexpr const char* kReportFileName = "import.txt";
inline constexpr std::size_t kReportRuleWidth = 91;

// Items 1 to 4: two empty lines, the two heading lines and the rule of 91 dashes.
std::string ReportHeading();

// One job: "%-20.20s     %5s      %5s   %-30.30s %s\r\n" from the caption, the input size, the
// output size, the input folder and the whole output folder.
std::string ReportLine(const shell::JobRow& row);

// "\r\n\r\nTotal Jobs:  %i     \r\n".
std::string ReportTotal(std::size_t jobCount);

// The whole report for the selected rows, in list order.
std::string ConversionReport(std::span<const shell::JobRow> selectedRows);

} // namespace convert
