#include "convert/conversion_report.h"

#include "convert/text_cut.h"

namespace convert {

namespace {

constexpr std::size_t kNameWidth = 20;
constexpr std::size_t kSizeWidth = 5;
constexpr std::size_t kInputDirWidth = 30;

} // namespace

std::string ReportHeading() {
    std::string heading = "\r\n\r\n";
    heading += "File Name              Original  Converted  Input Directory                "
               "Output Directory\r\n";
    heading += "                       Size (KB) Size (KB)  \r\n";
    heading += std::string(kReportRuleWidth, '-');
    heading += "\r\n";
    return heading;
}

std::string ReportLine(const shell::JobRow& row) {
    std::string line = LeftJustified(row.columns[shell::kColInputFile], kNameWidth);
    line += "     ";
    line += RightJustified(row.columns[shell::kColInputSize], kSizeWidth);
    line += "      ";
    line += RightJustified(row.columns[shell::kColOutputSize], kSizeWidth);
    line += "   ";
    line += LeftJustified(row.columns[shell::kColInputDir], kInputDirWidth);
    line += ' ';
    line += row.columns[shell::kColOutputDir];
    line += "\r\n";
    return line;
}

std::string ReportTotal(std::size_t jobCount) {
    std::string total = "\r\n\r\nTotal Jobs:  ";
    total += std::to_string(jobCount);
    total += "     \r\n";
    return total;
}

std::string ConversionReport(std::span<const shell::JobRow> selectedRows) {
    std::string report = ReportHeading();
    for (const shell::JobRow& row : selectedRows) {
        report += ReportLine(row);
    }
    report += ReportTotal(selectedRows.size());
    return report;
}

} // namespace convert
