// The windows around the main window: progress, tips, About, help, settings selectors,
// directory grid and the file-transfer window.
#include "ui/ApplicationWindows.h"
#include "ui/GridForm.h"
#include "ui/Launcher.h"
#include "ui/MainForm.h"
#include "ui/PauseForm.h"
#include "ui/ProgressForm.h"
#include "ui/SettingsForm.h"
#include "ui/TipsForm.h"

#include "platform/paths.h"
#include "ui_test/FakePrompts.h"
#include "ui_test/Workspace.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <memory>

namespace {

QStringList labelTexts(const QWidget& window) {
    QStringList texts;
    for (const QLabel* label : window.findChildren<QLabel*>())
        texts << label->text();
    return texts;
}

} // namespace

class TestSecondaryWindows : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ui_test::Workspace> workspace;
    std::unique_ptr<ui_test::FakePrompts> fakePrompts;
    std::vector<std::string> opened;

private slots:
    void init() {
        workspace = std::make_unique<ui_test::Workspace>();
        fakePrompts = std::make_unique<ui_test::FakePrompts>();
        opened.clear();
        ui::setOpenHandler([this](const std::string& what) {
            opened.push_back(what);
            return true;
        });
    }

    void cleanup() {
        ui::setOpenHandler({});
        fakePrompts.reset();
        workspace.reset();
    }

    void progressWindowLayout() {
        ui::TfrmProgress progress;
        QCOMPARE(progress.windowTitle(), QStringLiteral("Conversion Progress"));
        QCOMPARE(progress.size(), QSize(315, 164));
        QCOMPARE(progress.lblFileName()->text(), QStringLiteral("FileName:"));
        QCOMPARE(progress.lblInput()->text(), QStringLiteral("Input Directory:"));
        QCOMPARE(progress.lblOutput()->text(), QStringLiteral("Output Directory:"));
        QCOMPARE(progress.lblStatus()->text(), QStringLiteral("Converting: "));
        QCOMPARE(progress.MMGauge1()->minimum(), 0);
        QCOMPARE(progress.MMGauge1()->maximum(), 100);
        QCOMPARE(progress.MMGauge1()->width(), 265);
        QCOMPARE(progress.CancelBtn()->text(), QStringLiteral("Cancel"));
    }

    void progressWindowRefusesToClose() {
        ui::TfrmProgress progress;
        progress.show();
        QVERIFY(!progress.close());
        QVERIFY(progress.isVisible());
        QTest::keyClick(&progress, Qt::Key_Escape);
        QVERIFY(progress.isVisible());
    }

    // The run enables the main window when it has finished the current job, not the click.
    void cancelAsksTheRunToStopAndHidesTheProgressWindow() {
        ui::ApplicationWindows windows;
        ui::TfrmMainForm& form = windows.frmMainForm();
        ui::TfrmProgress& progress = windows.frmProgress();
        form.CancelRequested = false;
        form.setEnabled(false);
        progress.show();
        QTest::mouseClick(progress.CancelBtn(), Qt::LeftButton);
        QVERIFY(form.CancelRequested);
        QVERIFY(!form.isEnabled());
        QVERIFY(!progress.isVisible());
    }

    void tipsWindowTexts() {
        ui::TfrmTips tips(".\\import.ini");
        QCOMPARE(tips.windowTitle(), QStringLiteral("Quorvel Import Utility Tips"));
        QCOMPARE(tips.size(), QSize(459, 343));
        QCOMPARE(tips.chkTips()->text(), QStringLiteral("Show this window at startup"));
        QVERIFY(!tips.chkTips()->isChecked());
        QCOMPARE(tips.btnContinue()->text(), QStringLiteral("Continue..."));
        const QStringList texts = labelTexts(tips);
        QVERIFY(texts.contains("Did you know..."));
        QVERIFY(texts.contains("You can visit Quorvel's web site at"));
        for (const QString& tip : ui::TfrmTips::tipTexts())
            QVERIFY2(texts.contains(tip), qPrintable(tip));
        QCOMPARE(ui::TfrmTips::tipTexts().size(), 6);
        QVERIFY(ui::TfrmTips::tipTexts()[1].endsWith("menu option. "));
    }

    void tipsCheckBoxFollowsTheStoredFlag_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<bool>("error");
        QTest::newRow("missing") << "" << true << false;
        QTest::newRow("one") << "ShowTips=1" << true << false;
        QTest::newRow("zero") << "ShowTips=0" << false << false;
        QTest::newRow("two") << "ShowTips=2" << false << false;
        QTest::newRow("only the first character counts") << "ShowTips=10" << true << false;
        QTest::newRow("not a digit") << "ShowTips=yes" << false << true;
    }

    void tipsCheckBoxFollowsTheStoredFlag() {
        QFETCH(QString, line);
        QFETCH(bool, checked);
        QFETCH(bool, error);
        workspace->writeConfig(line.isEmpty() ? std::vector<std::string>{}
                                              : std::vector<std::string>{line.toStdString()});
        ui::TfrmTips tips(".\\import.ini");
        tips.show();
        QCOMPARE(tips.chkTips()->isChecked(), checked);
        QCOMPARE(fakePrompts->messages.size(), error ? 1 : 0);
    }

    void continueStoresTheFlag_data() {
        QTest::addColumn<bool>("checked");
        QTest::addColumn<QString>("stored");
        QTest::newRow("checked") << true << "1";
        QTest::newRow("unchecked") << false << "0";
    }

    void continueStoresTheFlag() {
        QFETCH(bool, checked);
        QFETCH(QString, stored);
        workspace->writeConfig({"ShowTips=1"});
        ui::TfrmTips tips(".\\import.ini");
        tips.show();
        tips.chkTips()->setChecked(checked);
        QTest::mouseClick(tips.btnContinue(), Qt::LeftButton);
        QVERIFY(!tips.isVisible());
        QCOMPARE(tips.result(), int(QDialog::Accepted));
        QCOMPARE(QString::fromStdString(workspace->configMap().at("ShowTips")), stored);
    }

    void closeBoxStoresNothing() {
        workspace->writeConfig({"ShowTips=1"});
        const std::string before = workspace->configText();
        ui::TfrmTips tips(".\\import.ini");
        tips.show();
        tips.chkTips()->setChecked(false);
        tips.close();
        QCOMPARE(workspace->configText(), before);
    }

    void uncheckedTipsAreNotShownAtTheNextStart() {
        {
            ui::ApplicationWindows windows;
            fakePrompts->onDialog = [](QDialog& dialog) {
                auto& tips = static_cast<ui::TfrmTips&>(dialog);
                QVERIFY(tips.chkTips()->isChecked());
                tips.chkTips()->setChecked(false);
                QTest::mouseClick(tips.btnContinue(), Qt::LeftButton);
            };
            windows.frmMainForm().show();
            QCOMPARE(fakePrompts->dialogs.size(), 1);
        }
        fakePrompts->onDialog = {};
        ui::ApplicationWindows again;
        again.frmMainForm().show();
        QCOMPARE(fakePrompts->dialogs.size(), 1);
        // Show Tips still shows the window, with the box unchecked.
        bool wasChecked = true;
        fakePrompts->onDialog = [&](QDialog& dialog) {
            wasChecked = static_cast<ui::TfrmTips&>(dialog).chkTips()->isChecked();
        };
        again.frmMainForm().findChild<QAction*>("ShowTips1")->trigger();
        QCOMPARE(fakePrompts->dialogs.size(), 2);
        QVERIFY(!wasChecked);
    }

    void linkLabelOpensTheMakersAddress() {
        ui::TfrmTips tips(".\\import.ini");
        tips.show();
        ui::LinkLabel* link = tips.linkLabel();
        QCOMPARE(link->palette().color(QPalette::WindowText), QColor(Qt::blue));
        QVERIFY(link->font().underline());
        QTest::mousePress(link, Qt::LeftButton);
        QCOMPARE(link->palette().color(QPalette::WindowText), QColor(Qt::red));
        QVERIFY(opened.empty());
        QTest::mouseRelease(link, Qt::LeftButton);
        QCOMPARE(link->palette().color(QPalette::WindowText), QColor(Qt::blue));
        QCOMPARE(opened.size(), std::size_t(1));
        QVERIFY2(opened[0].starts_with("https://"), opened[0].c_str());
    }

    void contentsOpensTheHelpPageBesideTheProgram() {
        ui::TfrmMainForm form;
        form.findChild<QAction*>("tbtnHelp")->trigger();
        QCOMPARE(opened.size(), std::size_t(1));
        QCOMPARE(opened[0], platform::executableFolder() + "Import.html");
        QVERIFY2(QFileInfo::exists(QString::fromStdString(opened[0])), opened[0].c_str());
        form.findChild<QAction*>("mnuContents")->trigger();
        QCOMPARE(opened.size(), std::size_t(2));
    }

    void helpPageIsFoundFromAnotherWorkingFolder() {
        // The working folder is the test's own; the page is found beside the executable.
        QVERIFY(QFileInfo::exists(QString::fromStdString(ui::helpFilePath())));
        QVERIFY(!QFileInfo::exists("Import.html"));
    }

    void settingsSelectorsHoldTheirTexts() {
        ui::TfrmSettings settings;
        QCOMPARE(settings.windowTitle(), QStringLiteral("Settings"));
        QComboBox* format = settings.cboFormat();
        QCOMPARE(format->objectName(), QStringLiteral("cboFormat"));
        QCOMPARE(format->count(), 4);
        const QStringList formats = {"PCM 8 KHz (vox)", "ADPCM 8 KHz (vox)", "WAV",
                                     "Original Format"};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(format->itemText(i), formats[i]);
        QComboBox* priority = settings.cboPriority();
        QCOMPARE(priority->count(), 2);
        QCOMPARE(priority->itemText(0), QStringLiteral("Normal"));
        QCOMPARE(priority->itemText(1), QStringLiteral("Stat"));
        ui::TfrmSettings::selectIndex(priority, 5);
        QCOMPARE(priority->currentIndex(), -1);
        ui::TfrmSettings::selectIndex(priority, 1);
        QCOMPARE(priority->currentIndex(), 1);
    }

    void directoryGridLayout() {
        ui::TfrmGrid grid;
        QCOMPARE(grid.windowTitle(), QStringLiteral("Directories"));
        QCOMPARE(grid.minimumSize(), QSize(622, 300));
        QVERIFY(!(grid.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(grid.windowFlags() & Qt::WindowMinimizeButtonHint);
        QTableWidget* cells = grid.StringGrid1();
        QCOMPARE(cells->objectName(), QStringLiteral("StringGrid1"));
        QCOMPARE(cells->columnCount(), 4);
        const int widths[] = {233, 217, 74, 65};
        for (int c = 0; c < 4; ++c)
            QCOMPARE(cells->columnWidth(c), widths[c]);
        QCOMPARE(cells->verticalHeader()->defaultSectionSize(), 18);
        // Table rows 1 to 98 are shown; 99 to 101 are kept but hidden.
        QVERIFY(!cells->isRowHidden(0));
        QVERIFY(!cells->isRowHidden(97));
        for (int row = 98; row < 101; ++row)
            QVERIFY2(cells->isRowHidden(row), qPrintable(QString::number(row)));
        grid.setCell(0, 101, "C:\\Last");
        QCOMPARE(grid.cell(0, 101), QStringLiteral("C:\\Last"));
        QCOMPARE(grid.btnSave()->text(), QStringLiteral("&Save"));
        QCOMPARE(grid.btnClose()->text(), QStringLiteral("&Close"));
    }

    void directoryGridCloseKeepsEdits() {
        ui::TfrmGrid grid;
        grid.show();
        grid.setCell(2, 3, "12345");
        QTest::mouseClick(grid.btnClose(), Qt::LeftButton);
        QVERIFY(!grid.isVisible());
        QCOMPARE(grid.cell(2, 3), QStringLiteral("12345"));
    }

    void fileTransferWindow() {
        ui::TfrmPause pause;
        QCOMPARE(pause.windowTitle(), QStringLiteral("File Transfer"));
        QCOMPARE(pause.size(), QSize(328, 133));
        QCOMPARE(pause.lblCurFile()->text(), QStringLiteral("File:"));
        QVERIFY(labelTexts(pause).contains("Importing files.  Please wait ..."));
        ui::FileCopyAnimation* animation = pause.anmPause();
        QCOMPARE(animation->size(), QSize(289, 60));
        animation->start();
        QVERIFY(animation->isRunning());
        QCOMPARE(animation->frame(), 1);
        for (int i = 0; i < 33; ++i)
            animation->advance();
        QCOMPARE(animation->frame(), 34);
        animation->advance();
        QCOMPARE(animation->frame(), 1);
        animation->stop();
        QVERIFY(!animation->isRunning());
    }
};

QTEST_MAIN(TestSecondaryWindows)
#include "tst_secondary_windows.moc"
