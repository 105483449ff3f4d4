#include "ui/DropImportWindow.h"

#include "ui/Captions.h"
#include "ui/GridForm.h"
#include "ui/MainForm.h"
#include "ui/PauseForm.h"
#include "ui/Prompts.h"

#include <QCoreApplication>
#include <QLabel>

namespace ui {
namespace {

QString fromStored(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

DropImportWindow::DropImportWindow(TfrmMainForm& form)
    : form_(form) {}

DropImportWindow::~DropImportWindow() {
    EndTransfer();
}

bool DropImportWindow::AskToImport(const std::string& question) {
    form_.raise();
    form_.activateWindow();
    return showMessage(nullptr, QString::fromUtf8(shell::kImportFilesCaption), fromStored(question),
                       PromptIcon::Question, PromptButtons::YesNo) == PromptAnswer::Yes;
}

void DropImportWindow::RefuseDrop(const std::string& message) {
    showMessage(nullptr, QString::fromUtf8(shell::kImportFilesCaption), fromStored(message),
                PromptIcon::Warning);
}

// A window of its own for each import, owned by the main window.
void DropImportWindow::BeginTransfer() {
    transfer_ = new TfrmPause(&form_);
    transfer_->setAttribute(Qt::WA_DeleteOnClose);
    transfer_->anmPause()->start();
    transfer_->show();
}

void DropImportWindow::ProcessEvents() {
    QCoreApplication::processEvents();
}

void DropImportWindow::ShowCurrentFile(const std::string& text) {
    if (transfer_)
        transfer_->lblCurFile()->setText(fromStored(text));
}

// A plain message box, as the platform's simple message shows it.
void DropImportWindow::ShowInvalidType(const std::string& text) {
    showMessage(nullptr, kApplicationTitle, fromStored(text), PromptIcon::None);
}

void DropImportWindow::EndTransfer() {
    if (!transfer_)
        return;
    transfer_->anmPause()->stop();
    delete transfer_.data();
}

void DropImportWindow::RefreshJobList() {
    form_.RefreshJobList();
}

void DropImportWindow::ShowImportedCount(const std::string& text) {
    showMessage(nullptr, QString::fromUtf8(shell::kImportReportCaption), fromStored(text),
                PromptIcon::None);
}

void installDropImport(TfrmMainForm& form, TfrmGrid& grid) {
    TfrmMainForm* window = &form;
    TfrmGrid* table = &grid;
    form.setDropHandler([window, table](const QStringList& paths) {
        std::vector<std::string> nativePaths;
        for (const QString& path : paths)
            nativePaths.push_back(path.toStdString());
        DropImportWindow view(*window);
        return shell::ImportDroppedFiles(table->cell(0, 1).toStdString(), nativePaths, view,
                                         table->cell(1, 1).toStdString());
    });
}

} // namespace ui
