#include "ui/LogAndReport.h"

#include "ui/JobListView.h"
#include "ui/Launcher.h"
#include "ui/MainForm.h"
#include "ui/Prompts.h"
#include "ui/StatusPanels.h"

#include "convert/error_log_commands.h"
#include "convert/report_command.h"

#include <QFileInfo>

#include <memory>
#include <vector>

namespace ui {
namespace {

constexpr int kLastErrorPanel = 3;
constexpr const char* kEmptyErrorLogText = "The error log is empty: no error has been logged.";

PromptIcon toPromptIcon(convert::BoxIcon icon) {
    switch (icon) {
    case convert::BoxIcon::Information:
        return PromptIcon::Information;
    case convert::BoxIcon::Warning:
        return PromptIcon::Warning;
    case convert::BoxIcon::Error:
        return PromptIcon::Error;
    case convert::BoxIcon::Question:
        return PromptIcon::Question;
    case convert::BoxIcon::None:
        break;
    }
    return PromptIcon::None;
}

convert::BoxAnswer toBoxAnswer(PromptAnswer answer) {
    switch (answer) {
    case PromptAnswer::Yes:
        return convert::BoxAnswer::Yes;
    case PromptAnswer::No:
        return convert::BoxAnswer::No;
    case PromptAnswer::Ok:
        break;
    }
    return convert::BoxAnswer::Ok;
}

// Through the window's opener seam, so that tests see what would be opened; without a desktop
// application the file is shown in the program's own text window.
convert::DocumentOpener windowOpener(QWidget* owner) {
    return [owner](const std::string& nativePath) {
        openTextDocument(nativePath, owner);
        return true;
    };
}

// An editor asked to open a log that was never written would show nothing, or offer to create
// it: say instead that there is nothing in it.
convert::DocumentOpener errorLogOpener(QWidget* owner) {
    return [owner](const std::string& nativePath) {
        if (!QFileInfo::exists(QString::fromStdString(nativePath))) {
            showMessage(owner, QString::fromUtf8(convert::kClearLogCaption),
                        QString::fromUtf8(kEmptyErrorLogText), PromptIcon::Information);
            return true;
        }
        return windowOpener(owner)(nativePath);
    };
}

std::vector<shell::JobRow> selectedRows(const JobListView& list) {
    std::vector<shell::JobRow> rows;
    for (int index : list.selectedJobIndexes())
        rows.push_back(list.jobRow(index));
    return rows;
}

} // namespace

PromptMessageBoxes::PromptMessageBoxes(QWidget* owner)
    : owner_(owner) {}

convert::BoxAnswer PromptMessageBoxes::Show(const convert::MessageBoxRequest& request) {
    QWidget* parent = request.owner == convert::BoxOwner::MainWindow ? owner_ : nullptr;
    const PromptButtons buttons =
        request.buttons == convert::BoxButtons::YesNo ? PromptButtons::YesNo : PromptButtons::Ok;
    const PromptAnswer defaultAnswer =
        request.defaultAnswer == convert::BoxAnswer::No ? PromptAnswer::No : PromptAnswer::Yes;
    return toBoxAnswer(showMessage(parent, QString::fromStdString(request.caption),
                                   QString::fromStdString(request.text), toPromptIcon(request.icon),
                                   buttons, defaultAnswer));
}

MainFormJobErrorView::MainFormJobErrorView(TfrmMainForm& form)
    : form_(form) {}

void MainFormJobErrorView::SetJobOutputText(int rowIndex, const std::string& text) {
    JobListView* list = form_.ListView1();
    if (rowIndex >= 0 && rowIndex < list->jobCount())
        list->setJobFailed(rowIndex, QString::fromStdString(text));
}

void MainFormJobErrorView::SetLastErrorText(const std::string& text) {
    form_.StatusBar1()->setPanelText(kLastErrorPanel, QString::fromStdString(text));
}

void installLogAndReportCommands(TfrmMainForm& form) {
    // Shared by the handlers, which live as long as the window's command table.
    auto boxes = std::make_shared<PromptMessageBoxes>(&form);
    auto log = std::make_shared<convert::ErrorLogCommands>(*boxes, errorLogOpener(&form));
    auto report = std::make_shared<convert::ReportCommand>(*boxes, windowOpener(&form));
    form.installCommand(Command::ViewErrorLog, [boxes, log] { log->ErrorLog1Click(); });
    form.installCommand(Command::ClearErrorLog, [boxes, log] { log->ClearErrorLog1Click(); });
    TfrmMainForm* window = &form;
    form.installCommand(Command::CreateReport, [boxes, report, window] {
        report->CreateReport1Click(selectedRows(*window->ListView1()));
    });
}

} // namespace ui
