// The main window's side of the drag-and-drop import: the question and the report as message
// boxes owned by the application, the "File Transfer" window while files are copied, and the
// job list's rebuild.
#pragma once

#include "dropimport/drop_import.h"

#include <QPointer>

namespace ui {

class TfrmGrid;
class TfrmMainForm;
class TfrmPause;

class DropImportWindow final : public shell::DropImportWindow {
public:
    explicit DropImportWindow(TfrmMainForm& form);
    ~DropImportWindow() override;

    bool AskToImport(const std::string& question) override;
    void RefuseDrop(const std::string& message) override;
    void BeginTransfer() override;
    void ProcessEvents() override;
    void ShowCurrentFile(const std::string& text) override;
    void ShowInvalidType(const std::string& text) override;
    void EndTransfer() override;
    void RefreshJobList() override;
    void ShowImportedCount(const std::string& text) override;

private:
    TfrmMainForm& form_;
    QPointer<TfrmPause> transfer_;
};

// Lets the main window take dropped files: they go to the folder in grid cell (0, 1), which is
// created with the output folder of cell (1, 1) when it does not exist yet.
void installDropImport(TfrmMainForm& form, TfrmGrid& grid);

} // namespace ui
