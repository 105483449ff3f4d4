// The program's six windows, created once at start-up in their fixed order and kept for the
// whole run; the main window comes first, and closing it ends the program.
#pragma once

#include <memory>
#include <string>

namespace ui {

class SingleInstance;
class TfrmGrid;
class TfrmMainForm;
class TfrmPause;
class TfrmProgress;
class TfrmSettings;
class TfrmTips;

class ApplicationWindows {
public:
    explicit ApplicationWindows(const std::string& configPath = ".\\import.ini");
    ~ApplicationWindows();

    // Lets later starts restore the main window.
    void answerLaterStarts(SingleInstance& instance);

    TfrmMainForm& frmMainForm() const { return *main_; }
    TfrmProgress& frmProgress() const { return *progress_; }
    TfrmSettings& frmSettings() const { return *settings_; }
    TfrmGrid& frmGrid() const { return *grid_; }
    TfrmPause& frmPause() const { return *pause_; }
    TfrmTips& frmTips() const { return *tips_; }

private:
    void installSettingsCommand();
    void installDirectoriesCommand();

    std::unique_ptr<TfrmMainForm> main_;
    std::unique_ptr<TfrmProgress> progress_;
    std::unique_ptr<TfrmSettings> settings_;
    std::unique_ptr<TfrmGrid> grid_;
    std::unique_ptr<TfrmPause> pause_;
    std::unique_ptr<TfrmTips> tips_;
};

// When $IMPORT_SCREENSHOT names a file, the main window is saved there as a PNG picture
// shortly after it is shown (used to look at the program on a machine without a screen).
void scheduleScreenshotFromEnvironment(TfrmMainForm& window);

} // namespace ui
