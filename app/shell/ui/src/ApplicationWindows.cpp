#include "ui/ApplicationWindows.h"

#include "ui/ConversionCommands.h"
#include "ui/GridForm.h"
#include "ui/LogAndReport.h"
#include "ui/MainForm.h"
#include "ui/PauseForm.h"
#include "ui/PlayJob.h"
#include "ui/ProgressForm.h"
#include "ui/SettingsForm.h"
#include "ui/SingleInstance.h"
#include "ui/TipsForm.h"

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
    , grid_(std::make_unique<TfrmGrid>())
    , pause_(std::make_unique<TfrmPause>())
    , tips_(std::make_unique<TfrmTips>(configPath)) {
    main_->setCompanions(
        {progress_.get(), settings_.get(), grid_.get(), pause_.get(), tips_.get()});
    installLogAndReportCommands(*main_);
    installConversionCommands(*main_);
    installPlayJobCommand(*main_);
    TfrmMainForm* mainForm = main_.get();
    // The run stops after the current job and then enables the main window itself: enabling
    // it here would let a second run start inside the first.
    QObject::connect(progress_.get(), &TfrmProgress::cancelRequested, mainForm,
                     [mainForm] { mainForm->CancelRequested = true; });
}

ApplicationWindows::~ApplicationWindows() = default;

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
