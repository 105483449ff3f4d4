// The main window while a conversion runs: a drop is refused with a notice that does not stop
// the run, Cancel stays within reach, and every job's gauge starts at nothing. The audio steps
// are stand-ins that copy; the run, the windows and the list are the program's own.
#include "ui/ConversionCommands.h"
#include "ui/JobListView.h"
#include "ui/NoticeBox.h"
#include "ui/ProgressForm.h"

#include "dropimport/drop_import.h"
#include "platform_test/wait_for.h"
#include "ui_test/Program.h"

#include <QApplication>
#include <QFileInfo>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <optional>

namespace {

namespace fs = std::filesystem;

// Copies where the real steps convert, and sets the gauge to 100 at the end of each wave
// conversion, as the real chain does. `duringWave` sees the window in the middle of a job.
class CopyingSteps final : public convert::ConversionSteps {
public:
    explicit CopyingSteps(convert::ProgressView& progress)
        : progress_(progress) {}

    std::function<void(int)> duringWave; // the number of the wave conversion, from 1
    int waveCalls = 0;

    bool ConvertDssToWave(int, const std::string&, const std::string&) override { return false; }
    bool ConvertWaveFile(const std::string& source, const std::string& destination,
                         const convert::WaveFormat&) override {
        ++waveCalls;
        if (duringWave)
            duringWave(waveCalls);
        progress_.SetGauge(100);
        return copy(source, destination);
    }
    bool SpeechHandOff(int, const convert::SpeechJob&) override { return false; }
    bool WriteVox(const std::string& pcm, const std::string& vox, uint16_t) override {
        return copy(pcm, vox);
    }

private:
    static bool copy(const std::string& from, const std::string& to) {
        std::error_code error;
        fs::copy_file(from, to, fs::copy_options::overwrite_existing, error);
        return !error;
    }

    convert::ProgressView& progress_;
};

} // namespace

class TestWindowDuringRun : public QObject {
    Q_OBJECT

private:
    std::optional<ui_test::Program> program;
    CopyingSteps* steps = nullptr;

    ui::TfrmMainForm& form() { return program->form(); }
    ui::TfrmProgress& progress() { return program->progress(); }
    QString caption(int row) { return program->caption(row); }
    void addJobs(int first, int last) {
        for (int i = first; i <= last; ++i)
            program->workspace.addDriveFile("c/Dict/Type1/f" + std::to_string(i) + ".wav", 4000);
    }

    // Drops the file through the event loop, as the window system delivers a drop while the
    // run waits for its step, and waits for the drop to be answered. A refusal that waited for
    // an answer would hold that loop: it is closed at the deadline, and the test then fails.
    Qt::DropAction dropWhileTheRunWaits(const QString& file) {
        std::optional<Qt::DropAction> answered;
        QTimer::singleShot(0, &form(), [&] {
            answered =
                ui_test::DragSource({file}).dropOn(form().windowHandle(), form().rect().center());
        });
        QTimer watchdog;
        watchdog.setSingleShot(true);
        connect(&watchdog, &QTimer::timeout, [] {
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        });
        watchdog.start(std::chrono::milliseconds(platform_test::kEventDeadline) / 2);
        platform_test::waitFor([&] {
            QCoreApplication::processEvents();
            return answered.has_value();
        });
        return answered.value_or(Qt::CopyAction);
    }

private slots:
    void init() {
        program.emplace();
        program->workspace.addDriveFolder("c/Convert/TSP/type1");
        addJobs(1, 3);
        program->start({"VoxFormat=1", "InputDir1=C:\\Dict\\Type1",
                        "OutputDir1=C:\\Convert\\TSP\\type1", "UserID1=1001", "Loc1=00"});
        ui::installConversionCommands(form(), [this](const auto&, auto& view, auto&) {
            auto made = std::make_unique<CopyingSteps>(view);
            steps = made.get();
            return made;
        });
    }
    void cleanup() { program.reset(); }

    // The drop comes during the first job; the second job starts while the notice is still
    // up, and Cancel, pressed then, ends the run after it.
    void aDropDuringARunIsANoticeAndTheRunGoesOn() {
        const QString dropped = program->desktopFile("late.wav");
        Qt::DropAction answered = Qt::CopyAction;
        bool noticeUpAtTheNextJob = false;
        bool cancelWithinReach = false;
        steps->duringWave = [&](int call) {
            if (call == 1) {
                answered = dropWhileTheRunWaits(dropped);
                return;
            }
            const ui::NoticeBox* notice = form().noticeBox();
            noticeUpAtTheNextJob = notice != nullptr && notice->isVisible() && !notice->isModal();
            cancelWithinReach = progress().isVisible() && progress().CancelBtn()->isEnabled() &&
                                QApplication::activeModalWidget() == nullptr;
            QTest::mouseClick(progress().CancelBtn(), Qt::LeftButton);
        };
        program->trigger("mnuConvertAll");
        QCOMPARE(answered, Qt::IgnoreAction);
        QVERIFY(QFileInfo::exists(dropped));
        QVERIFY(noticeUpAtTheNextJob);
        QCOMPARE(form().noticeBox()->text(), QString::fromUtf8(shell::kDropDuringRunText));
        QVERIFY(cancelWithinReach);
        QCOMPARE(steps->waveCalls, 2);
        QCOMPARE(caption(1), QStringLiteral("_f2.wav"));
        QCOMPARE(caption(2), QStringLiteral("f3.wav"));
        QVERIFY(form().isEnabled());
    }

    // The gauge of the next job, and of the next run's first job, starts at nothing instead of
    // the 100 % the last one ended with.
    void everyJobsGaugeStartsAtNothing() {
        QList<int> atStart;
        steps->duringWave = [&](int) { atStart << progress().MMGauge1()->value(); };
        program->trigger("mnuConvertAll");
        QCOMPARE(progress().MMGauge1()->value(), 100);
        addJobs(4, 4);
        form().RefreshJobList();
        program->trigger("mnuConvertAll");
        QCOMPARE(atStart, (QList<int>{0, 0, 0, 0}));
    }
};

QTEST_MAIN(TestWindowDuringRun)
#include "tst_window_during_run.moc"
