// The windows around the main window: progress, tips, help and the file-transfer animation.
#include "ui/Launcher.h"
#include "ui/MiddleElidedLabel.h"
#include "ui/PauseForm.h"
#include "ui/ProgressForm.h"
#include "ui/Prompts.h"
#include "ui/TipsForm.h"

#include "platform/paths.h"
#include "ui_test/Program.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <optional>

namespace {

// Whether the window opened in the middle of its screen's available area, within the width of
// a window frame (known only once the window is shown), else how far off it is.
QString placement(const QWidget& window) {
    const QPoint offset =
        window.frameGeometry().center() - window.screen()->availableGeometry().center();
    const bool centred = std::abs(offset.x()) <= 4 && std::abs(offset.y()) <= 4;
    return window.objectName() +
           (centred ? QStringLiteral(" centred")
                    : QStringLiteral(" off by %1, %2").arg(offset.x()).arg(offset.y()));
}

} // namespace

class TestSecondaryWindows : public QObject {
    Q_OBJECT

private:
    std::optional<ui_test::Program> program;

private slots:
    void init() {
        program.emplace();
        program->recordOpened(true);
    }

    void cleanup() { program.reset(); }

    void theProgressWindowClosesOnlyThroughCancel() {
        program->start();
        ui::TfrmProgress& progress = program->windows->frmProgress();
        program->form().setEnabled(false); // as a run leaves it
        progress.show();
        QVERIFY(!progress.close());
        QTest::keyClick(&progress, Qt::Key_Escape);
        QVERIFY(progress.isVisible());
        QTest::mouseClick(progress.CancelBtn(), Qt::LeftButton);
        QVERIFY(program->form().CancelRequested);
        QVERIFY(!progress.isVisible());
        // The run enables the main window once the current job is done, not the click.
        QVERIFY(!program->form().isEnabled());
    }

    // Settings, tips and progress open in the middle of the screen, wherever the main window is.
    void theDialogsOpenCentredOnTheScreen() {
        program->workspace.writeConfig({"ShowTips=1", "Left=0", "Top=0"});
        QStringList opened;
        program->prompts.onDialog = [&](QDialog& dialog) { opened << placement(dialog); };
        program->startAsIs();
        program->trigger("mnuSettings");
        program->windows->frmProgress().show();
        opened << placement(program->windows->frmProgress());
        QCOMPARE(opened,
                 (QStringList{"frmTips centred", "frmSettings centred", "frmProgress centred"}));
    }

    // A long folder keeps its start and its last folder in view, shortened in the middle.
    void theProgressWindowShortensLongTextsInTheMiddle() {
        ui::TfrmProgress progress;
        progress.show();
        const QString folder =
            QStringLiteral("Input Dir: C:\\Dictations\\Cardiology\\Dr Smith\\Monday morning");
        for (QLabel* label : {progress.lblFileName(), progress.lblInput(), progress.lblOutput(),
                              progress.lblStatus()}) {
            label->setText(folder);
            QCOMPARE(label->text(), folder);
            auto* elided = qobject_cast<ui::MiddleElidedLabel*>(label);
            QVERIFY2(elided != nullptr, qPrintable(label->objectName()));
            QVERIFY(elided->shownText().startsWith(QStringLiteral("Input Dir: C:\\")));
            QVERIFY(elided->shownText().endsWith(QStringLiteral("Monday morning")));
            QVERIFY(label->fontMetrics().horizontalAdvance(elided->shownText()) <=
                    label->contentsRect().width());
        }
    }

    void theTipsCheckBoxFollowsTheStoredFlag_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("missing") << "" << true << QStringList();
        QTest::newRow("zero") << "ShowTips=0" << false << QStringList();
        QTest::newRow("not a digit")
            << "ShowTips=yes" << false << QStringList{"'y' is not a valid integer value"};
    }

    void theTipsCheckBoxFollowsTheStoredFlag() {
        QFETCH(QString, line);
        QFETCH(bool, checked);
        QFETCH(QStringList, messages);
        program->workspace.writeConfig(line.isEmpty() ? std::vector<std::string>{}
                                                      : std::vector{line.toStdString()});
        ui::TfrmTips tips(".\\import.ini");
        tips.show();
        QCOMPARE(tips.chkTips()->isChecked(), checked);
        QCOMPARE(program->messageTexts(), messages);
        tips.chkTips()->setChecked(!checked);
        tips.close(); // the close box stores nothing
        QCOMPARE(program->workspace.configText(),
                 line.isEmpty() ? "[Startup]\r\n" : "[Startup]\r\n" + line.toStdString() + "\r\n");
    }

    void uncheckedTipsAreNotShownAtTheNextStart() {
        program->prompts.onDialog = [](QDialog& dialog) {
            auto& tips = static_cast<ui::TfrmTips&>(dialog);
            QVERIFY(tips.chkTips()->isChecked());
            tips.chkTips()->setChecked(false);
            QTest::mouseClick(tips.btnContinue(), Qt::LeftButton);
        };
        program->startAsIs();
        QCOMPARE(program->workspace.configMap().at("ShowTips"), std::string("0"));
        program->prompts.onDialog = {};
        program->startAsIs();
        QCOMPARE(program->prompts.dialogs.size(), 1);
        // Show Tips still shows the window, with the box unchecked.
        bool wasChecked = true;
        program->inDialog("ShowTips1", [&](QDialog& dialog) {
            wasChecked = static_cast<ui::TfrmTips&>(dialog).chkTips()->isChecked();
        });
        QCOMPARE(program->prompts.dialogs.size(), 2);
        QVERIFY(!wasChecked);
    }

    void theLinkLabelOpensTheMakersAddress() {
        ui::TfrmTips tips(".\\import.ini");
        tips.show();
        ui::LinkLabel* link = tips.linkLabel();
        QCOMPARE(link->palette().color(QPalette::WindowText), QColor(Qt::blue));
        QTest::mousePress(link, Qt::LeftButton);
        QCOMPARE(link->palette().color(QPalette::WindowText), QColor(Qt::red));
        QVERIFY(program->opened.empty());
        QTest::mouseRelease(link, Qt::LeftButton);
        QCOMPARE(link->palette().color(QPalette::WindowText), QColor(Qt::blue));
        QCOMPARE(program->opened, std::vector<std::string>{"https://www.quorvel.example/"});
    }

    // The working folder is the test's own: the page is found beside the executable.
    void contentsOpensTheHelpPageBesideTheProgram() {
        ui::TfrmMainForm form;
        program->named(form, "tbtnHelp")->trigger();
        program->named(form, "mnuContents")->trigger();
        const std::string page = platform::executableFolder() + "Import.html";
        QCOMPARE(program->opened, std::vector<std::string>(2, page));
        QVERIFY(QFileInfo::exists(QString::fromStdString(page)));
        QVERIFY(!QFileInfo::exists("Import.html"));
    }

    void theFileCopyAnimationPlaysFrames1To34OverAndOver() {
        ui::TfrmPause pause;
        ui::FileCopyAnimation* animation = pause.anmPause();
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

    // Enter in a question whose Yes destroys something answers No: the real box is shown, and
    // Return pressed in it leaves the log as it was. The drop's question keeps Yes.
    void enterInTheClearLogQuestionAnswersNo() {
        program->start();
        program->workspace.addFile("work/errorlog.txt", "kept line\r\n");
        QStringList defaults;
        ui::setPrompts(nullptr); // the program's own boxes
        QTimer answer;
        connect(&answer, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr)
                return;
            defaults << box->defaultButton()->text();
            QTest::keyClick(box, Qt::Key_Return);
        });
        answer.start(10);
        program->trigger("ClearErrorLog1");
        ui::showMessage(nullptr, "Import Files", "Do you wish to import files?",
                        ui::PromptIcon::Question, ui::PromptButtons::YesNo);
        answer.stop();
        ui::setPrompts(&program->prompts);
        QCOMPARE(defaults, (QStringList{"&No", "&Yes"}));
        QCOMPARE(platform_test::readFileBytes(program->workspace.workFolder() / "errorlog.txt"),
                 std::string("kept line\r\n"));
    }
};

QTEST_MAIN(TestSecondaryWindows)
#include "tst_secondary_windows.moc"
