#pragma once
// "Create &Report" of the menu bar and the pop-up menu: writes "import.txt" for the selected
// jobs and opens it in the default handler.

#include "convert/conversion_report.h"
#include "convert/document_opener.h"
#include "convert/message_boxes.h"
#include "jobs/job_row.h"

#include <span>
#include <string>

namespace convert {

inline constexpr const char* kNoJobsSelected = "No jobs have been selected.";
inline constexpr const char* kInformationCaption = "Information";
inline constexpr const char* kReportOpenFailure = "Error opening report file";
inline constexpr const char* kReportWriteFailure = "Error writing report file";

class ReportCommand {
public:
    // The boxes must outlive the command; storedPath is resolved when the report is written.
    ReportCommand(MessageBoxes& boxes, DocumentOpener opener = DefaultDocumentOpener(),
                  std::string storedPath = kReportFileName);

    // selectedRows are the selected job rows in list order. None: the information box "No jobs
    // have been selected.". A report that cannot be created shows "Error opening report file";
    // one whose bytes do not all reach the disk shows "Error writing report file" and is not
    // opened. Otherwise the report replaces any earlier one and is opened.
    void CreateReport1Click(std::span<const shell::JobRow> selectedRows) const;

private:
    void ShowError(const char* text) const;

    MessageBoxes& boxes_;
    DocumentOpener opener_;
    std::string storedPath_;
};

} // namespace convert
