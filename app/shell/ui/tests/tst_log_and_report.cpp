// The error-log and report commands in the running main window: triggered by their object
// names, with the message boxes and the default handler answered through the window's seams.
#include "ui/DocumentViewers.h"
#include "ui/JobListView.h"
#include "ui/LogAndReport.h"

#include "ui_test/Program.h"

#include <QPlainTextEdit>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace {

shell::JobRow row(const std::string& caption, const std::string& inputKb,
                  const std::string& outputKb) {
    shell::JobRow job;
    job.columns = {caption, inputKb, " ", outputKb, "C:\\Dict\\Type1", "C:\\Convert\\TSP\\type1",
                   "1001",  "00"};
    return job;
}

} // namespace

class TestLogAndReport : public QObject {
    Q_OBJECT

private:
    std::optional<ui_test::Program> program;

    ui::TfrmMainForm& form() { return program->form(); }
    const QList<ui_test::RecordedMessage>& shown() const { return program->prompts.messages; }
    std::filesystem::path inWorkFolder(const char* name) const {
        return program->workspace.workFolder() / name;
    }

private slots:
    void init() {
        program.emplace();
        program->recordOpened(false); // as on a desktop without a handler: ignored
        program->windows = std::make_unique<ui::ApplicationWindows>();
    }

    void cleanup() { program.reset(); }

    void commandsAreEnabled_data() {
        QTest::addColumn<QString>("name");
        for (const char* name : {"ErrorLog1", "ClearErrorLog1", "CreateReport1", "CreateReport2"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void commandsAreEnabled() {
        QFETCH(QString, name);
        QVERIFY(program->named(form(), name)->isEnabled());
    }

    void viewOpensTheLogOfTheWorkingFolder() {
        { std::ofstream(inWorkFolder("errorlog.txt"), std::ios::binary) << "logged\r\n"; }
        program->trigger("ErrorLog1");
        QCOMPARE(program->opened.size(), std::size_t{1});
        QCOMPARE(std::filesystem::path(program->opened[0]), inWorkFolder("errorlog.txt"));
        QVERIFY(shown().isEmpty());
        // No desktop application took it: the program's own read-only window shows it.
        auto* viewer = form().findChild<ui::TextViewer*>(QStringLiteral("frmTextViewer"));
        QVERIFY(viewer != nullptr);
        QVERIFY(viewer->isVisible());
        QVERIFY(viewer->text()->isReadOnly());
        QCOMPARE(viewer->text()->toPlainText(), QStringLiteral("logged\n"));
    }

    void viewWithoutALogSaysThatItIsEmpty() {
        program->trigger("ErrorLog1");
        QVERIFY(program->opened.empty());
        QCOMPARE(program->messageTexts(),
                 QStringList{"The error log is empty: no error has been logged."});
        QCOMPARE(shown()[0].caption, QStringLiteral("Error Log"));
        QVERIFY(form().findChild<ui::TextViewer*>() == nullptr);
    }

    void clearAnsweredNoKeepsTheLog() {
        std::filesystem::path log = inWorkFolder("errorlog.txt");
        { std::ofstream(log, std::ios::binary) << "line\r\n"; }
        program->prompts.answerYes = false;
        program->trigger("ClearErrorLog1");
        QCOMPARE(program->messageTexts(), QStringList{"Do you wish to clear the log?"});
        const ui_test::RecordedMessage& question = shown()[0];
        QCOMPARE(question.caption, QStringLiteral("Error Log"));
        QCOMPARE(question.icon, ui::PromptIcon::Question);
        QCOMPARE(question.buttons, ui::PromptButtons::YesNo);
        QCOMPARE(question.parent, static_cast<QWidget*>(&form()));
        QCOMPARE(platform_test::readFileBytes(log), std::string("line\r\n"));
        QVERIFY(program->opened.empty());
    }

    void clearAnsweredYesEmptiesAndOpensTheLog() {
        std::filesystem::path log = inWorkFolder("errorlog.txt");
        { std::ofstream(log, std::ios::binary) << "line\r\n"; }
        program->prompts.answerYes = true;
        program->trigger("ClearErrorLog1");
        QCOMPARE(std::filesystem::file_size(log), std::uintmax_t{0});
        QCOMPARE(program->opened.size(), std::size_t{1});
    }

    void reportWithoutSelectionSaysSo() {
        program->trigger("CreateReport2");
        QCOMPARE(program->messageTexts(), QStringList{"No jobs have been selected."});
        QCOMPARE(shown()[0].icon, ui::PromptIcon::Information);
        QVERIFY(!std::filesystem::exists(inWorkFolder("import.txt")));
    }

    void reportListsTheSelectedRowsInListOrder() {
        ui::JobListView* list = form().ListView1();
        list->appendJobs({row("a.wav", "1", " "), row("b.wav", "2", "3"), row("c.wav", "4", " ")});
        list->topLevelItem(2)->setSelected(true);
        list->topLevelItem(0)->setSelected(true);
        program->trigger("CreateReport1");
        QVERIFY(shown().isEmpty());
        const std::string report = platform_test::readFileBytes(inWorkFolder("import.txt"));
        const std::size_t first = report.find("a.wav    ");
        const std::size_t third = report.find("c.wav    ");
        QVERIFY(first != std::string::npos && third != std::string::npos && first < third);
        QVERIFY(report.find("b.wav") == std::string::npos);
        QVERIFY(report.ends_with("\r\n\r\nTotal Jobs:  2     \r\n"));
        QCOMPARE(program->opened.size(), std::size_t{1});
        QCOMPARE(std::filesystem::path(program->opened[0]), inWorkFolder("import.txt"));
    }

    void anUnwritableReportGivesItsBoxWithoutOwner() {
        std::filesystem::create_directory(inWorkFolder("import.txt"));
        form().ListView1()->appendJobs({row("a.wav", "1", " ")});
        form().ListView1()->topLevelItem(0)->setSelected(true);
        program->trigger("CreateReport1");
        QCOMPARE(program->messageTexts(), QStringList{"Error opening report file"});
        QCOMPARE(shown()[0].caption, QStringLiteral("Error"));
        QCOMPARE(shown()[0].parent, static_cast<QWidget*>(nullptr));
        QVERIFY(program->opened.empty());
    }

    void jobErrorViewWritesTheRowAndPanel3() {
        form().ListView1()->appendJobs({row("a.wav", "1", " "), row("b.wav", "2", " ")});
        ui::MainFormJobErrorView view(form());
        view.SetJobOutputText(1, "Error converting to PCM .wav format");
        view.SetJobOutputText(7, "ignored");
        view.SetLastErrorText("Error converting to PCM .wav format");
        QCOMPARE(form().ListView1()->jobRow(1).columns[shell::kColOutputFile],
                 std::string("Error converting to PCM .wav format"));
        QCOMPARE(form().ListView1()->jobRow(0).columns[shell::kColOutputFile], std::string(" "));
        QCOMPARE(program->panel(3), QStringLiteral("Error converting to PCM .wav format"));
    }
};

QTEST_MAIN(TestLogAndReport)
#include "tst_log_and_report.moc"
