#include "convert/report_command.h"

#include "convert/conversion_report.h"
#include "platform/paths.h"

#include <cstdio>

namespace convert {

ReportCommand::ReportCommand(MessageBoxes& boxes, DocumentOpener opener, std::string storedPath)
    : boxes_(boxes)
    , opener_(std::move(opener))
    , storedPath_(std::move(storedPath)) {}

void ReportCommand::CreateReport1Click(std::span<const shell::JobRow> selectedRows) const {
    if (selectedRows.empty()) {
        boxes_.Show({kInformationCaption, kNoJobsSelected, BoxIcon::Information, BoxButtons::Ok,
                     BoxOwner::MainWindow});
        return;
    }
    std::FILE* file = std::fopen(platform::resolvePath(storedPath_).c_str(), "wb");
    if (file == nullptr) {
        ShowError(kReportOpenFailure);
        return;
    }
    const std::string bytes = ConversionReport(selectedRows);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    // A full disk shows only when the buffered bytes are flushed at the close.
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        ShowError(kReportWriteFailure);
        return;
    }
    if (opener_) {
        static_cast<void>(opener_(NativeAbsolutePath(storedPath_)));
    }
}

void ReportCommand::ShowError(const char* text) const {
    boxes_.Show({kErrorCaption, text, BoxIcon::None, BoxButtons::Ok, BoxOwner::None});
}

} // namespace convert
