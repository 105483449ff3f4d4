// One instance per user: real Import processes against a lock folder of the test's own.
#include "ui/ApplicationWindows.h"
#include "ui/MainForm.h"
#include "ui/SingleInstance.h"

#include "ui_test/FakePrompts.h"
#include "ui_test/Workspace.h"

#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#ifndef IMPORT_EXECUTABLE
#error "IMPORT_EXECUTABLE must name the built program"
#endif

namespace {

constexpr int kStartTimeoutMs = 30000;

// An Import process in the workspace's working folder, with the test's lock folder.
class ImportProcess {
public:
    ImportProcess(const QString& lockFolder, const QString& workFolder) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("XDG_RUNTIME_DIR", lockFolder);
        environment.insert("QT_LOGGING_RULES", "import.instance.info=true");
        process_.setProcessEnvironment(environment);
        process_.setWorkingDirectory(workFolder);
        process_.setProgram(QStringLiteral(IMPORT_EXECUTABLE));
    }

    ~ImportProcess() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(kStartTimeoutMs);
        }
    }

    QProcess& process() { return process_; }

    bool start() {
        process_.start();
        return process_.waitForStarted(kStartTimeoutMs);
    }

    // Killed without any chance to clean up: its lock and socket stay behind.
    void crash() {
        process_.kill();
        process_.waitForFinished(kStartTimeoutMs);
    }

    QByteArray errorOutput() { return errors_ += process_.readAllStandardError(); }

private:
    QProcess process_;
    QByteArray errors_;
};

// A full instance writes the configuration file when its window is first shown, after it
// has started to answer later starts.
bool waitUntilRunningAsFullInstance(ImportProcess& import, const ui_test::Workspace& workspace) {
    const bool ended = QTest::qWaitFor(
        [&] {
            return std::filesystem::exists(workspace.configFile()) ||
                   import.process().state() == QProcess::NotRunning;
        },
        kStartTimeoutMs);
    return ended && std::filesystem::exists(workspace.configFile());
}

} // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ui_test::Workspace> workspace;
    std::unique_ptr<QTemporaryDir> lockFolder;

    QString workFolder() const { return QString::fromStdString(workspace->workFolder().string()); }

private slots:
    void init() {
        workspace = std::make_unique<ui_test::Workspace>();
        lockFolder = std::make_unique<QTemporaryDir>();
        QVERIFY(lockFolder->isValid());
    }

    void cleanup() {
        lockFolder.reset();
        workspace.reset();
    }

    // The first instance answers as the program's main sets it up.
    void secondStartRestoresTheFirstAndExits() {
        ui_test::FakePrompts prompts;
        workspace->writeConfig({"ShowTips=0"});
        ui::SingleInstance instance(lockFolder->path());
        QCOMPARE(instance.start(), ui::SingleInstance::Outcome::FirstInstance);
        ui::ApplicationWindows windows;
        windows.answerLaterStarts(instance);
        windows.frmMainForm().show();
        windows.frmMainForm().showMinimized();
        QVERIFY(windows.frmMainForm().isMinimized());
        QSignalSpy requests(&instance, &ui::SingleInstance::restoreRequested);

        ImportProcess second(lockFolder->path(), workFolder());
        QVERIFY(second.start());
        QTRY_VERIFY_WITH_TIMEOUT(second.process().state() == QProcess::NotRunning, kStartTimeoutMs);
        QCOMPARE(second.process().exitCode(), 0);
        QCOMPARE(requests.count(), 1);
        QVERIFY(!windows.frmMainForm().isMinimized());
        QVERIFY(windows.frmMainForm().isVisible());
    }

    void aBusyFirstInstanceStillKeepsTheSecondFromRunning() {
        ui::SingleInstance instance(lockFolder->path());
        QCOMPARE(instance.start(), ui::SingleInstance::Outcome::FirstInstance);
        QSignalSpy requests(&instance, &ui::SingleInstance::restoreRequested);
        ImportProcess second(lockFolder->path(), workFolder());
        QVERIFY(second.start());
        // Blocking here keeps this instance from answering, like a conversion in progress.
        QVERIFY(second.process().waitForFinished(kStartTimeoutMs));
        QCOMPARE(second.process().exitCode(), 0);
        QVERIFY(!std::filesystem::exists(workspace->configFile()));
        // The request waits in the socket until this instance's loop runs again.
        QTRY_COMPARE_WITH_TIMEOUT(requests.count(), 1, kStartTimeoutMs);
    }

    void aLockLeftByACrashedInstanceIsTakenOver() {
        {
            ImportProcess crashed(lockFolder->path(), workFolder());
            QVERIFY(crashed.start());
            QVERIFY(waitUntilRunningAsFullInstance(crashed, *workspace));
            crashed.crash();
        }
        QVERIFY(QFileInfo::exists(lockFolder->filePath("Velmora.lock")));
        ui::SingleInstance instance(lockFolder->path());
        QCOMPARE(instance.start(), ui::SingleInstance::Outcome::FirstInstance);

        // And it answers the next start in the dead instance's place.
        QSignalSpy requests(&instance, &ui::SingleInstance::restoreRequested);
        ImportProcess next(lockFolder->path(), workFolder());
        QVERIFY(next.start());
        QTRY_VERIFY_WITH_TIMEOUT(next.process().state() == QProcess::NotRunning, kStartTimeoutMs);
        QCOMPARE(next.process().exitCode(), 0);
        QCOMPARE(requests.count(), 1);
    }

    void aLockWhoseOwnerDoesNotAnswerLetsTheProgramRun() {
        // This process holds the lock but never answers on the socket.
        QLockFile silentOwner(lockFolder->filePath("Velmora.lock"));
        QVERIFY(silentOwner.tryLock(0));
        ImportProcess import(lockFolder->path(), workFolder());
        QVERIFY(import.start());
        QVERIFY2(waitUntilRunningAsFullInstance(import, *workspace),
                 import.errorOutput().constData());
        QCOMPARE(import.process().state(), QProcess::Running);

        ui::SingleInstance other(lockFolder->path());
        QCOMPARE(other.start(), ui::SingleInstance::Outcome::Unguarded);
    }

    void aStaleSocketWithoutALockIsReplaced() {
        {
            QFile leftover(lockFolder->filePath("Velmora.socket"));
            QVERIFY(leftover.open(QIODevice::WriteOnly));
        }
        ui::SingleInstance instance(lockFolder->path());
        QCOMPARE(instance.start(), ui::SingleInstance::Outcome::FirstInstance);
        ImportProcess next(lockFolder->path(), workFolder());
        QSignalSpy requests(&instance, &ui::SingleInstance::restoreRequested);
        QVERIFY(next.start());
        QTRY_VERIFY_WITH_TIMEOUT(next.process().state() == QProcess::NotRunning, kStartTimeoutMs);
        QCOMPARE(next.process().exitCode(), 0);
        QCOMPARE(requests.count(), 1);
    }
};

QTEST_MAIN(TestSingleInstance)
#include "tst_single_instance.moc"
