#include "ui/ConversionCommands.h"

#include "ui/JobListView.h"
#include "ui/LogAndReport.h"
#include "ui/MainForm.h"
#include "ui/ProgressForm.h"
#include "ui/Prompts.h"
#include "ui/QtEventLoop.h"
#include "ui/StatusPanels.h"

#include "convert/clock.h"
#include "convert/conversion_run.h"
#include "convert/output_namer.h"
#include "convert/program_steps.h"
#include "convert/run_lock.h"

#include <QEvent>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>
#include <QTimer>

#include <atomic>
#include <memory>

namespace ui {
namespace {

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

// The main window closing means the program is ending: the run's waits end at once (a DSS
// converter under way is killed) and the run stops after the current job.
class WindowCloseWatch final : public QObject {
public:
    WindowCloseWatch(TfrmMainForm& form, std::shared_ptr<std::atomic<bool>> closing)
        : QObject(&form)
        , form_(form)
        , closing_(std::move(closing)) {
        form.installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &form_ && event->type() == QEvent::Close) {
            closing_->store(true);
            form_.CancelRequested = true;
        }
        return false;
    }

private:
    TfrmMainForm& form_;
    std::shared_ptr<std::atomic<bool>> closing_;
};

// Watches the window for its close (the watch belongs to the window) and gives the run's waits
// their ends: the close, read by the thread that waits for the converter (so shared and
// atomic), and Cancel.
convert::WaitEnds WatchWindowForWaitEnds(TfrmMainForm& form,
                                         std::shared_ptr<std::atomic<bool>> closing) {
    new WindowCloseWatch(form, closing);
    return {[closing] { return closing->load(); }, [&form] { return form.CancelRequested; }};
}

// The run's collaborators, created once with the window and used for every run and job.
struct ConversionModule {
    explicit ConversionModule(TfrmMainForm& form, const StepsFactory& makeSteps)
        : host(form, *form.companions().progress, closing)
        , boxes(&form)
        , namer(clock)
        , errors(form.settings, clock, host)
        , steps(makeSteps ? makeSteps(errors, host, loop)
                          : convert::MakeProgramSteps(form.settings, errors, host, loop,
                                                      WatchWindowForWaitEnds(form, closing)))
        , run(convert::RunContext{host, *steps, namer, errors, boxes, loop, form.settings}) {}

    std::shared_ptr<std::atomic<bool>> closing = std::make_shared<std::atomic<bool>>(false);
    convert::SystemClock clock;
    MainFormRunHost host;
    PromptMessageBoxes boxes;
    QtEventLoop loop;
    convert::OutputNamer namer;
    convert::JobErrorReporter errors;
    std::unique_ptr<convert::ConversionSteps> steps;
    convert::ConversionRun run;
    bool busyBoxShown = false;
};

// Runs the conversion while holding the working folder's run lock.
template <class Conversion>
void runExclusively(TfrmMainForm& form, ConversionModule& module, Conversion conversion) {
    convert::RunLock lock = convert::RunLock::TryAcquire();
    if (lock.held()) {
        module.closing->store(false);
        conversion();
        return;
    }
    // The scheduler keeps ticking while the box waits; one box at a time is enough.
    if (module.busyBoxShown)
        return;
    module.busyBoxShown = true;
    const QString text = lock.unavailable()
                             ? QStringLiteral("The conversion cannot start: the lock file "
                                              "\"%1\" cannot be created in the working folder.")
                                   .arg(QString::fromLatin1(convert::kRunLockFileName))
                             : QString::fromLatin1(kConversionRunningText);
    showMessage(&form, QStringLiteral("Import Utility"), text, PromptIcon::Information);
    module.busyBoxShown = false;
}

} // namespace

MainFormRunHost::MainFormRunHost(TfrmMainForm& form, TfrmProgress& progress,
                                 std::shared_ptr<const std::atomic<bool>> closing)
    : form_(form)
    , progress_(progress)
    , closing_(std::move(closing)) {}

void MainFormRunHost::SetJobOutputText(int rowIndex, const std::string& text) {
    MainFormJobErrorView(form_).SetJobOutputText(rowIndex, text);
}
void MainFormRunHost::SetLastErrorText(const std::string& text) {
    MainFormJobErrorView(form_).SetLastErrorText(text);
}
void MainFormRunHost::SetStatusText(const std::string& text) {
    progress_.lblStatus()->setText(qt(text));
}
void MainFormRunHost::SetFileNameText(const std::string& text) {
    progress_.lblFileName()->setText(qt(text));
}
void MainFormRunHost::SetInputText(const std::string& text) {
    progress_.lblInput()->setText(qt(text));
}
void MainFormRunHost::SetOutputText(const std::string& text) {
    progress_.lblOutput()->setText(qt(text));
}
void MainFormRunHost::SetGauge(int percent) {
    progress_.MMGauge1()->setValue(percent);
}

int MainFormRunHost::JobCount() const {
    return form_.ListView1()->jobCount();
}
shell::JobRow MainFormRunHost::JobRow(int rowIndex) const {
    return form_.ListView1()->jobRow(rowIndex);
}
bool MainFormRunHost::IsJobSelected(int rowIndex) const {
    const QTreeWidgetItem* item = form_.ListView1()->topLevelItem(rowIndex);
    return item != nullptr && item->isSelected();
}
void MainFormRunHost::SetJobCell(int rowIndex, int column, const std::string& text) {
    form_.ListView1()->setJobCell(rowIndex, column, qt(text));
}
void MainFormRunHost::SetJobImage(int rowIndex, int image) {
    form_.ListView1()->setJobImage(rowIndex, image);
}
void MainFormRunHost::RepaintJobList() {
    form_.ListView1()->viewport()->repaint();
}
void MainFormRunHost::SetStatusPanel(int panel, const std::string& text) {
    form_.StatusBar1()->setPanelText(panel, qt(text));
}
int MainFormRunHost::OutputFormatIndex() const {
    return form_.outputFormatIndex();
}
int MainFormRunHost::PriorityIndex() const {
    return form_.priorityIndex();
}
uint16_t MainFormRunHost::OutputFormatCode() const {
    return form_.OutputFormatCode;
}

void MainFormRunHost::BeginRun() {
    form_.CancelRequested = false;
    form_.Timer1()->stop();
    progress_.show();
    // Nothing may start while a run goes on: the main window stays disabled to its end, Cancel
    // included; only the progress window takes input.
    form_.setEnabled(false);
}
void MainFormRunHost::EndRun() {
    progress_.hide();
    form_.setEnabled(true);
}
void MainFormRunHost::StartSchedulerTimer() {
    form_.Timer1()->start();
}
void MainFormRunHost::RepaintProgress() {
    progress_.repaint();
}
bool MainFormRunHost::CancelRequested() const {
    return form_.CancelRequested;
}

bool MainFormRunHost::StopRequested() const {
    return closing_ && closing_->load();
}

void scheduleConvertAllFromEnvironment(TfrmMainForm& window) {
    if (qEnvironmentVariable("IMPORT_CONVERT_ALL") != QStringLiteral("1"))
        return;
    QTimer::singleShot(0, &window, [&window] {
        window.runCommand(Command::ConvertAll);
        const QString screenshot = qEnvironmentVariable("IMPORT_SCREENSHOT");
        if (!screenshot.isEmpty() && !window.grab().save(screenshot, "PNG"))
            qWarning("Could not save the screenshot to %s", qPrintable(screenshot));
    });
}

void installConversionCommands(TfrmMainForm& form, StepsFactory steps) {
    auto module = std::make_shared<ConversionModule>(form, steps);
    TfrmMainForm* window = &form;
    form.installCommand(Command::ConvertAll, [window, module] {
        runExclusively(*window, *module, [&] { module->run.ConvertAll(); });
    });
    form.installCommand(Command::ConvertSelected, [window, module] {
        // Without a selection the run only says so, whatever another run is doing.
        if (window->ListView1()->selectedItems().isEmpty()) {
            module->run.ConvertSelected();
            return;
        }
        runExclusively(*window, *module, [&] { module->run.ConvertSelected(); });
    });
}

} // namespace ui
