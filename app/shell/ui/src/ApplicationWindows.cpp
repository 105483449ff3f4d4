#include "ui/ApplicationWindows.h"

#include "ui/ConversionCommands.h"
#include "ui/DropImportWindow.h"
#include "ui/GridForm.h"
#include "ui/LogAndReport.h"
#include "ui/MainForm.h"
#include "ui/PauseForm.h"
#include "ui/PlayJob.h"
#include "ui/ProgressForm.h"
#include "ui/Prompts.h"
#include "ui/SettingsForm.h"
#include "ui/SingleInstance.h"
#include "ui/TipsForm.h"
#include "ui/WindowPlacement.h"

#include <QLoggingCategory>
#include <QPixmap>
#include <QTimer>

namespace ui {
namespace {

Q_LOGGING_CATEGORY(lcInstance, "import.instance", QtWarningMsg)

constexpr int kScreenshotDelayMs = 1500;

} // namespace

ApplicationWindows::ApplicationWindows(const std::string& configPath)
    : main_(std::make_unique<TfrmMainForm>(configPath))
    , progress_(std::make_unique<TfrmProgress>())
    , settings_(std::make_unique<TfrmSettings>())
    , grid_(std::make_unique<TfrmGrid>(configPath))
    , pause_(std::make_unique<TfrmPause>())
    , tips_(std::make_unique<TfrmTips>(configPath)) {
    main_->setCompanions(
        {progress_.get(), settings_.get(), grid_.get(), pause_.get(), tips_.get()});
    installLogAndReportCommands(*main_);
    installConversionCommands(*main_);
    installPlayJobCommand(*main_);
    installDropImport(*main_, *grid_);
    installSettingsCommand();
    installDirectoriesCommand();
    TfrmMainForm* mainForm = main_.get();
    // The run stops after the current job and then enables the main window itself: enabling
    // it here would let a second run start inside the first.
    QObject::connect(progress_.get(), &TfrmProgress::cancelRequested, mainForm,
                     [mainForm] { mainForm->CancelRequested = true; });
}

ApplicationWindows::~ApplicationWindows() = default;

// "&Tools" / "&Settings": the dialog shows the main window's current values, and its OK stores
// and applies them through the main window.
void ApplicationWindows::installSettingsCommand() {
    TfrmMainForm* mainForm = main_.get();
    TfrmSettings* dialog = settings_.get();
    dialog->setConfirmHandler(
        [mainForm](const shell::Settings& edited) { mainForm->ConfirmSettings(edited); });
    mainForm->installCommand(Command::Settings, [mainForm, dialog] {
        dialog->loadFrom(mainForm->settings);
        prompts().execDialog(*dialog);
    });
}

// "&Tools" / "&Directories": the grid window, not modal; its Save rebuilds the job list.
void ApplicationWindows::installDirectoriesCommand() {
    TfrmMainForm* mainForm = main_.get();
    TfrmGrid* grid = grid_.get();
    grid->setSavedHandler([mainForm] { mainForm->RefreshJobList(); });
    mainForm->installCommand(Command::Directories, [grid] {
        if (!grid->isVisible())
            centreOnScreen(*grid);
        grid->show();
        grid->raise();
        grid->activateWindow();
    });
}

void ApplicationWindows::answerLaterStarts(SingleInstance& instance) {
    TfrmMainForm* mainForm = main_.get();
    QObject::connect(&instance, &SingleInstance::restoreRequested, mainForm, [mainForm] {
        qCInfo(lcInstance) << "restoring the main window at the request of another start";
        mainForm->restoreFromAnotherStart();
    });
}

void scheduleScreenshotFromEnvironment(TfrmMainForm& window) {
    const QString file = qEnvironmentVariable("IMPORT_SCREENSHOT");
    if (file.isEmpty())
        return;
    QTimer::singleShot(kScreenshotDelayMs, &window, [&window, file] {
        if (!window.grab().save(file, "PNG"))
            qWarning("Could not save the screenshot to %s", qPrintable(file));
    });
}

} // namespace ui
