// The main window's error-log and report commands, and the job error view of the conversion:
// thin adapters from the window's seams to the conversion library's rules.
#pragma once

#include "convert/job_error_reporter.h"
#include "convert/message_boxes.h"

class QWidget;

namespace ui {

class TfrmMainForm;

// The conversion library's boxes shown through the window's prompt seam; a box owned by the
// main window gets `owner` as its parent.
class PromptMessageBoxes final : public convert::MessageBoxes {
public:
    explicit PromptMessageBoxes(QWidget* owner);
    convert::BoxAnswer Show(const convert::MessageBoxRequest& request) override;

private:
    QWidget* owner_;
};

// A failed job's text in its row's "Output File" column and in status panel 3.
class MainFormJobErrorView final : public convert::JobErrorView {
public:
    explicit MainFormJobErrorView(TfrmMainForm& form);
    void SetJobOutputText(int rowIndex, const std::string& text) override;
    void SetLastErrorText(const std::string& text) override;

private:
    TfrmMainForm& form_;
};

// Installs "View &Error Log", "&Clear Error Log" and "Create &Report" (menu bar and pop-up),
// which enables their items. The files lie in the working folder.
void installLogAndReportCommands(TfrmMainForm& form);

} // namespace ui
