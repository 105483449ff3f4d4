// Convert All and Convert Selected in the running main window: triggered by object name, with
// the message boxes answered through the prompt seam and the audio steps injected.
#include "ui/ConversionCommands.h"
#include "ui/JobListView.h"
#include "ui/ProgressForm.h"

#include "convert/run_lock.h"
#include "convert/toolkit_vox_writer.h"
#include "platform_test/processes.h"
#include "platform_test/test_folder.h"
#include "platform_test/wait_for.h"
#include "ui_test/Program.h"
#include "wave_test/wave_fixture.h"

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

namespace {

namespace fs = std::filesystem;

// The wave chain passes 16-bit mono 8 kHz sources through, as the real one does; the VOX save
// is the real toolkit's. Hooks see the window in the middle of a job.
class WindowSteps final : public convert::ConversionSteps {
public:
    std::function<void(int)> duringWave; // the number of the wave conversion, from 1
    std::function<bool()> beforeVoxSave; // runs on the worker thread
    int waveCalls = 0;

    bool ConvertDssToWave(int, const std::string&, const std::string&) override { return false; }
    bool ConvertWaveFile(const std::string& source, const std::string& destination,
                         const convert::WaveFormat&) override {
        ++waveCalls;
        if (duringWave)
            duringWave(waveCalls);
        std::error_code error;
        fs::copy_file(source, destination, fs::copy_options::overwrite_existing, error);
        return !error;
    }
    bool SpeechHandOff(int, const convert::SpeechJob&) override { return false; }
    bool WriteVox(const std::string& pcm, const std::string& vox, uint16_t code) override {
        if (beforeVoxSave && !beforeVoxSave())
            return false;
        return convert::WriteVoxWithToolkit(pcm, vox, code);
    }
};

} // namespace

class TestConversionCommands : public QObject {
    Q_OBJECT

private:
    std::optional<ui_test::Program> program;
    WindowSteps* steps = nullptr;

    ui::TfrmMainForm& form() { return program->form(); }
    ui::TfrmProgress& progress() { return program->progress(); }
    ui::JobListView& list() { return *form().ListView1(); }
    QString caption(int row) { return program->caption(row); }
    fs::path inputFolder() const { return program->workspace.root() / "drives/c/Dict/Type1"; }
    fs::path outputFolder() const {
        return program->workspace.root() / "drives/c/Convert/TSP/type1";
    }

    void start(int jobs, std::vector<std::string> lines = {}) {
        lines.insert(lines.begin(),
                     {"VoxFormat=1", "InputDir1=C:\\Dict\\Type1",
                      "OutputDir1=C:\\Convert\\TSP\\type1", "UserID1=1001", "Loc1=00"});
        fs::create_directories(outputFolder());
        const std::string wave = toolkit_test::pcm16Wave(toolkit_test::testSamples(), 8000);
        for (int i = 1; i <= jobs; ++i)
            std::ofstream(inputFolder() / ("f" + std::to_string(i) + ".wav"), std::ios::binary)
                << wave;
        program->start(std::move(lines));
        ui::installConversionCommands(form(), [this](const auto&, auto&, auto&) {
            auto made = std::make_unique<WindowSteps>();
            steps = made.get();
            return made;
        });
        QCOMPARE(list().jobCount(), jobs);
    }

private slots:
    void init() {
        program.emplace();
        fs::create_directories(inputFolder());
    }

    void cleanup() { program.reset(); }

    void everyConversionCommandIsEnabled_data() {
        QTest::addColumn<QString>("name");
        for (const char* name : {"mnuConvertAll", "mnuConvertSelect", "tbtnConvertAll",
                                 "tbtnConvertSelected", "popConvertAll", "popConvertSelected"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void everyConversionCommandIsEnabled() {
        QFETCH(QString, name);
        program->windows = std::make_unique<ui::ApplicationWindows>();
        QVERIFY(program->named(form(), name)->isEnabled());
    }

    void convertAllConvertsTheRowsWhileTheWindowIsLocked() {
        start(3, {"EnableSched=1", "ConvertInterval=5"});
        QVERIFY(form().Timer1()->isActive());
        bool checkedDuringTheRun = false;
        steps->duringWave = [&](int call) {
            if (call != 2)
                return;
            checkedDuringTheRun = true;
            QVERIFY(!form().isEnabled());
            QVERIFY(!form().Timer1()->isActive());
            QVERIFY(progress().isVisible());
            QCOMPARE(progress().lblStatus()->text(), QStringLiteral("Converting File: 2 of 3"));
            QCOMPARE(progress().lblFileName()->text(), QStringLiteral("Converting: f2.wav"));
            QCOMPARE(progress().lblInput()->text(), QStringLiteral("Input Dir: C:\\Dict\\Type1"));
            QCOMPARE(progress().lblOutput()->text(),
                     QStringLiteral("Output Dir: C:\\Convert\\TSP\\type1"));
            QCOMPARE(program->panel(1), QStringLiteral("Converting File:  2 of 3"));
            QCOMPARE(caption(0), QStringLiteral("_f1.wav"));
        };

        program->trigger("tbtnConvertAll");

        QVERIFY(checkedDuringTheRun);
        for (int row = 0; row < 3; ++row) {
            QCOMPARE(caption(row), QStringLiteral("_f%1.wav").arg(row + 1));
            QCOMPARE(list().jobImage(row), shell::kImageConverted);
            const QString name = list().topLevelItem(row)->text(shell::kColOutputFile);
            const QRegularExpression header(
                QStringLiteral("^N [0-9]{4}-00%1 1001 0000 00  \\.vox$").arg(row + 1));
            QVERIFY2(header.match(name).hasMatch(), qPrintable(name));
            QVERIFY(fs::exists(outputFolder() / name.toStdString()));
            QCOMPARE(list().topLevelItem(row)->text(shell::kColOutputSize), QStringLiteral("5"));
        }
        QVERIFY(!progress().isVisible());
        QVERIFY(form().isEnabled());
        QVERIFY(form().Timer1()->isActive());
        QCOMPARE(program->panel(1), QStringLiteral("Next scheduled conversion in 5 min"));
        QCOMPARE(form().scheduler().MinutesElapsed(), 0);
        QVERIFY(program->prompts.messages.isEmpty());
    }

    void cancelStopsAfterTheCurrentJob() {
        start(5);
        steps->duringWave = [&](int call) {
            if (call != 2)
                return;
            QTest::mouseClick(progress().CancelBtn(), Qt::LeftButton);
            QVERIFY(!progress().isVisible());
            QVERIFY2(!form().isEnabled(), "nothing may start before the current job has ended");
        };
        program->trigger("mnuConvertAll");
        QCOMPARE(caption(0), QStringLiteral("_f1.wav"));
        QCOMPARE(caption(1), QStringLiteral("_f2.wav"));
        for (int row = 2; row < 5; ++row)
            QCOMPARE(caption(row), QStringLiteral("f%1.wav").arg(row + 1));
        QVERIFY(form().isEnabled());
        QVERIFY(!progress().isVisible());
    }

    void anotherRunHoldingTheLockIsReported() {
        start(2);
        const convert::RunLock held = convert::RunLock::TryAcquire();
        QVERIFY(held.held());
        program->trigger("mnuConvertAll");
        QCOMPARE(program->messageTexts(), QStringList{ui::kConversionRunningText});
        QCOMPARE(program->prompts.messages[0].caption, QStringLiteral("Import Utility"));
        QCOMPARE(steps->waveCalls, 0);
        QCOMPARE(caption(0), QStringLiteral("f1.wav"));
        QVERIFY(form().isEnabled());
    }

    // The demo's way to convert without a screen: Convert All at the start, then a picture.
    void theEnvironmentCanAskForAConversionAndAPicture() {
        start(2);
        const fs::path picture = program->workspace.root() / "converted.png";
        const platform_test::ScopedEnv convert("IMPORT_CONVERT_ALL", std::string("1"));
        const platform_test::ScopedEnv screenshot("IMPORT_SCREENSHOT", picture.string());
        ui::scheduleConvertAllFromEnvironment(form());
        QTRY_VERIFY_WITH_TIMEOUT(fs::exists(picture), 20000);
        QCOMPARE(caption(0), QStringLiteral("_f1.wav"));
        QCOMPARE(caption(1), QStringLiteral("_f2.wav"));
    }

    // Closing the main window while Dictconv runs ends the program's waits: the converter (the
    // program's own steps, with a stand-in) is killed with its group, its dictation stays
    // waiting, and the run ends without starting the next job.
    void closingTheWindowEndsTheConverterAndTheRun() {
        const fs::path ids = program->workspace.root() / "ids";
        const fs::path standIn = program->workspace.addFile(
            "bin/Dictconv", "#!/bin/sh\necho $$ >> '" + ids.string() + "'\nexec sleep 600\n");
        fs::permissions(standIn, fs::perms::owner_all);
        const platform_test::ScopedEnv converter("IMPORT_DICTCONV", standIn.string());
        fs::create_directories(outputFolder());
        for (const char* name : {"a.dss", "b.dss"})
            std::ofstream(inputFolder() / name) << "dss";
        program->start({"VoxFormat=3", "InputDir1=C:\\Dict\\Type1",
                        "OutputDir1=C:\\Convert\\TSP\\type1", "UserID1=1001", "Loc1=00"});
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&] {
            if (!platform_test::processIdsIn(ids).empty()) {
                closer.stop();
                form().close();
            }
        });
        closer.start(5);
        program->trigger("mnuConvertAll");
        const std::vector<pid_t> started = platform_test::processIdsIn(ids);
        QCOMPARE(started.size(), std::size_t{1});
        QVERIFY(platform_test::waitFor([&] { return platform_test::processEnded(started[0]); }));
        QCOMPARE(caption(0), QStringLiteral("a.dss"));
        QCOMPARE(caption(1), QStringLiteral("b.dss"));
        QCOMPARE(list().topLevelItem(0)->text(shell::kColOutputFile),
                 QStringLiteral("Stopped - still waiting"));
    }

    // The toolkit's save runs off the interface thread: the window goes on taking events.
    void theWindowStaysLiveDuringTheToolkitSave() {
        start(1);
        std::atomic<bool> eventSeen{false};
        steps->beforeVoxSave = [&] {
            QMetaObject::invokeMethod(
                &form(), [&] { eventSeen = true; }, Qt::QueuedConnection);
            return platform_test::waitFor([&] { return eventSeen.load(); });
        };
        program->trigger("mnuConvertAll");
        QVERIFY(eventSeen);
        QCOMPARE(caption(0), QStringLiteral("_f1.wav"));
    }
};

QTEST_MAIN(TestConversionCommands)
#include "tst_conversion_commands.moc"
