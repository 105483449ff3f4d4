// The scheduler in the running window, on a fake clock: every tick is delivered by calling
// Timer1's handler, and Convert All is a fake run that does what the real one does to the
// scheduler (Timer1 off for its length, then on with the full countdown).
#include "ui/ApplicationWindows.h"
#include "ui/MainForm.h"
#include "ui/SettingsForm.h"
#include "ui/StatusPanels.h"

#include "ui_test/FakePrompts.h"
#include "ui_test/Workspace.h"

#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <memory>

using ui::TfrmMainForm;

class TestSchedulerWindow : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ui_test::Workspace> workspace;
    std::unique_ptr<ui_test::FakePrompts> fakePrompts;
    std::unique_ptr<ui::ApplicationWindows> windows;
    int runs = 0;
    int refreshesBeforeRun = 0;

    TfrmMainForm& form() { return windows->frmMainForm(); }
    QString panel1() { return form().StatusBar1()->panelText(1); }

    void start(int interval) {
        workspace->writeConfig({"ShowTips=0", "InputDir1=C:\\Dict\\Type1", "EnableSched=1",
                                "ConvertInterval=" + std::to_string(interval)});
        windows = std::make_unique<ui::ApplicationWindows>();
        form().show();
        runs = 0;
        form().installCommand(ui::Command::ConvertAll, [this] {
            ++runs;
            // A refresh lists the new file: the run happens on a fresh scan.
            refreshesBeforeRun = form().StatusBar1()->panelText(0) == "Total Files:  1";
            form().Timer1()->stop();
            form().StatusBar1()->setPanelText(1, QString());
            if (form().settings.EnableSched) {
                form().Timer1()->start();
                form().StatusBar1()->setPanelText(
                    1, QStringLiteral("Next scheduled conversion in %1 min")
                           .arg(form().settings.ConvertInterval));
            }
        });
    }

    // Delivers `count` ticks; returns the numbers shown in panel 1 after each.
    QStringList tick(int count) {
        QStringList shown;
        for (int i = 0; i < count; ++i) {
            form().Timer1Timer();
            shown << panel1().section(' ', 4, 4);
        }
        return shown;
    }

private slots:
    void init() {
        workspace = std::make_unique<ui_test::Workspace>();
        fakePrompts = std::make_unique<ui_test::FakePrompts>();
    }

    void cleanup() {
        windows.reset();
        fakePrompts.reset();
        workspace.reset();
    }

    void thirtyMinutesCountDownAndRunOnAFreshScan() {
        start(30);
        QCOMPARE(form().Timer1()->interval(), 60000);
        QCOMPARE(panel1(), QStringLiteral("Next scheduled conversion in 30 min"));
        const QStringList first = tick(29);
        QCOMPARE(first.first(), QStringLiteral("29"));
        QCOMPARE(first.last(), QStringLiteral("1"));
        QCOMPARE(runs, 0);
        workspace->addDriveFile("c/Dict/Type1/new.wav", 10); // arrives before the run
        tick(1);
        QCOMPARE(runs, 1);
        QVERIFY2(refreshesBeforeRun, "the list must be rebuilt before the run");
        QVERIFY(form().Timer1()->isActive());
        QCOMPARE(tick(1), QStringList{"29"});
        tick(29);
        QCOMPARE(runs, 2);
        // Hundreds of minutes: one run every 30.
        tick(300);
        QCOMPARE(runs, 12);
    }

    void intervalOneRunsEveryMinute() {
        start(1);
        // Each tick shows 0 and runs; the run ends showing the full interval again.
        QCOMPARE(tick(3), (QStringList{"1", "1", "1"}));
        QCOMPARE(runs, 3);
    }

    void intervalZeroOrLessNeverRuns_data() {
        QTest::addColumn<int>("interval");
        QTest::addColumn<QString>("shown");
        QTest::newRow("zero") << 0 << "-1";
        QTest::newRow("negative") << -10 << "-11";
    }

    void intervalZeroOrLessNeverRuns() {
        QFETCH(int, interval);
        QFETCH(QString, shown);
        start(interval);
        QCOMPARE(tick(100), QStringList(100, shown));
        QCOMPARE(runs, 0);
    }

    void aManualRunAtMinuteTenLeavesTheCountAlone() {
        start(30);
        tick(10);
        QCOMPARE(panel1(), QStringLiteral("Next scheduled conversion in 20 min"));
        form().findChild<QAction*>(QStringLiteral("mnuConvertAll"))->trigger();
        QCOMPARE(runs, 1);
        QCOMPARE(panel1(), QStringLiteral("Next scheduled conversion in 30 min"));
        QCOMPARE(tick(19).last(), QStringLiteral("1"));
        QCOMPARE(runs, 1);
        tick(1);
        QCOMPARE(runs, 2);
    }

    void refreshShowsTheFullIntervalButKeepsTheCount() {
        start(30);
        tick(5);
        form().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form()));
        QTest::keyClick(&form(), Qt::Key_F5);
        QCOMPARE(panel1(), QStringLiteral("Next scheduled conversion in 30 min"));
        QCOMPARE(form().scheduler().MinutesElapsed(), 5);
    }

    void settingsOkRestartsAFullInterval() {
        start(30);
        tick(25);
        fakePrompts->onDialog = [](QDialog& shown) {
            auto& dialog = static_cast<ui::TfrmSettings&>(shown);
            dialog.CSpinEdit1()->setValue(10);
            QTest::mouseClick(dialog.OKBtn(), Qt::LeftButton);
        };
        form().findChild<QAction*>(QStringLiteral("mnuSettings"))->trigger();
        QCOMPARE(panel1(), QStringLiteral("Next scheduled conversion in 10 min"));
        tick(9);
        QCOMPARE(runs, 0);
        tick(1);
        QCOMPARE(runs, 1);
    }

    void aTickAfterTheSchedulerWasSwitchedOffEmptiesThePanel() {
        start(30);
        tick(3);
        form().settings.EnableSched = false;
        tick(1);
        QCOMPARE(panel1(), QString());
        QCOMPARE(form().scheduler().MinutesElapsed(), 0);
    }
};

QTEST_MAIN(TestSchedulerWindow)
#include "tst_scheduler_window.moc"
