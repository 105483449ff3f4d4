// The error-log and report commands in the running main window: triggered by their object
// names, with the message boxes and the default handler answered through the window's seams.
#include "ui/ApplicationWindows.h"
#include "ui/DocumentViewers.h"
#include "ui/JobListView.h"
#include "ui/Launcher.h"
#include "ui/LogAndReport.h"
#include "ui/MainForm.h"
#include "ui/Prompts.h"
#include "ui/StatusPanels.h"

#include "ui_test/Workspace.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QPlainTextEdit>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

struct ShownBox {
    QWidget* parent;
    QString caption;
    QString text;
    ui::PromptIcon icon;
    ui::PromptButtons buttons;
};

class RecordingPrompts final : public ui::Prompts {
public:
    RecordingPrompts() { ui::setPrompts(this); }
    ~RecordingPrompts() override { ui::setPrompts(nullptr); }
    RecordingPrompts(const RecordingPrompts&) = delete;
    RecordingPrompts& operator=(const RecordingPrompts&) = delete;

    ui::PromptAnswer message(const ui::PromptRequest& request) override {
        shown.push_back(
            {request.parent, request.caption, request.text, request.icon, request.buttons});
        if (request.buttons == ui::PromptButtons::YesNo)
            return answerYes ? ui::PromptAnswer::Yes : ui::PromptAnswer::No;
        return ui::PromptAnswer::Ok;
    }
    int execDialog(QDialog&) override { return 0; }

    std::vector<ShownBox> shown;
    bool answerYes = false;
};

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
    std::unique_ptr<ui_test::Workspace> workspace;
    std::unique_ptr<RecordingPrompts> prompts;
    std::unique_ptr<ui::ApplicationWindows> windows;
    std::vector<std::string> opened;

    ui::TfrmMainForm& form() { return windows->frmMainForm(); }
    void trigger(const char* name) {
        QAction* action = form().findChild<QAction*>(QString::fromLatin1(name));
        QVERIFY2(action != nullptr, name);
        QVERIFY2(action->isEnabled(), name);
        action->trigger();
    }
    std::filesystem::path inWorkFolder(const char* name) const {
        return workspace->workFolder() / name;
    }

private slots:
    void init() {
        workspace = std::make_unique<ui_test::Workspace>();
        prompts = std::make_unique<RecordingPrompts>();
        opened.clear();
        ui::setOpenHandler([this](const std::string& path) {
            opened.push_back(path);
            return false; // as on a desktop without a handler: ignored
        });
        windows = std::make_unique<ui::ApplicationWindows>();
    }

    void cleanup() {
        windows.reset();
        ui::setOpenHandler({});
        prompts.reset();
        workspace.reset();
    }

    void commandsAreEnabled_data() {
        QTest::addColumn<QString>("name");
        for (const char* name : {"ErrorLog1", "ClearErrorLog1", "CreateReport1", "CreateReport2"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }

    void commandsAreEnabled() {
        QFETCH(QString, name);
        QAction* action = form().findChild<QAction*>(name);
        QVERIFY(action != nullptr);
        QVERIFY(action->isEnabled());
    }

    void viewOpensTheLogOfTheWorkingFolder() {
        { std::ofstream(inWorkFolder("errorlog.txt"), std::ios::binary) << "logged\r\n"; }
        trigger("ErrorLog1");
        QCOMPARE(opened.size(), std::size_t{1});
        QCOMPARE(std::filesystem::path(opened[0]), inWorkFolder("errorlog.txt"));
        QVERIFY(prompts->shown.empty());
        // No desktop application took it: the program's own read-only window shows it.
        auto* viewer = form().findChild<ui::TextViewer*>(QStringLiteral("frmTextViewer"));
        QVERIFY(viewer != nullptr);
        QVERIFY(viewer->isVisible());
        QVERIFY(viewer->text()->isReadOnly());
        QCOMPARE(viewer->text()->toPlainText(), QStringLiteral("logged\n"));
    }

    void viewWithoutALogSaysThatItIsEmpty() {
        trigger("ErrorLog1");
        QVERIFY(opened.empty());
        QCOMPARE(prompts->shown.size(), std::size_t{1});
        QCOMPARE(prompts->shown[0].caption, QStringLiteral("Error Log"));
        QCOMPARE(prompts->shown[0].text,
                 QStringLiteral("The error log is empty: no error has been logged."));
        QVERIFY(form().findChild<ui::TextViewer*>() == nullptr);
    }

    void clearAnsweredNoKeepsTheLog() {
        std::filesystem::path log = inWorkFolder("errorlog.txt");
        { std::ofstream(log, std::ios::binary) << "line\r\n"; }
        prompts->answerYes = false;
        trigger("ClearErrorLog1");
        QCOMPARE(prompts->shown.size(), std::size_t{1});
        const ShownBox& question = prompts->shown[0];
        QCOMPARE(question.caption, QStringLiteral("Error Log"));
        QCOMPARE(question.text, QStringLiteral("Do you wish to clear the log?"));
        QCOMPARE(question.icon, ui::PromptIcon::Question);
        QCOMPARE(question.buttons, ui::PromptButtons::YesNo);
        QCOMPARE(question.parent, static_cast<QWidget*>(&form()));
        QCOMPARE(platform_test::readFileBytes(log), std::string("line\r\n"));
        QVERIFY(opened.empty());
    }

    void clearAnsweredYesEmptiesAndOpensTheLog() {
        std::filesystem::path log = inWorkFolder("errorlog.txt");
        { std::ofstream(log, std::ios::binary) << "line\r\n"; }
        prompts->answerYes = true;
        trigger("ClearErrorLog1");
        QCOMPARE(std::filesystem::file_size(log), std::uintmax_t{0});
        QCOMPARE(opened.size(), std::size_t{1});
    }

    void reportWithoutSelectionSaysSo() {
        trigger("CreateReport2");
        QCOMPARE(prompts->shown.size(), std::size_t{1});
        QCOMPARE(prompts->shown[0].text, QStringLiteral("No jobs have been selected."));
        QCOMPARE(prompts->shown[0].icon, ui::PromptIcon::Information);
        QVERIFY(!std::filesystem::exists(inWorkFolder("import.txt")));
    }

    void reportListsTheSelectedRowsInListOrder() {
        ui::JobListView* list = form().ListView1();
        list->appendJobs({row("a.wav", "1", " "), row("b.wav", "2", "3"), row("c.wav", "4", " ")});
        list->topLevelItem(2)->setSelected(true);
        list->topLevelItem(0)->setSelected(true);
        trigger("CreateReport1");
        QVERIFY(prompts->shown.empty());
        const std::string report = platform_test::readFileBytes(inWorkFolder("import.txt"));
        const std::size_t first = report.find("a.wav    ");
        const std::size_t third = report.find("c.wav    ");
        QVERIFY(first != std::string::npos && third != std::string::npos && first < third);
        QVERIFY(report.find("b.wav") == std::string::npos);
        QVERIFY(report.ends_with("\r\n\r\nTotal Jobs:  2     \r\n"));
        QCOMPARE(opened.size(), std::size_t{1});
        QCOMPARE(std::filesystem::path(opened[0]), inWorkFolder("import.txt"));
    }

    void anUnwritableReportGivesItsBoxWithoutOwner() {
        std::filesystem::create_directory(inWorkFolder("import.txt"));
        form().ListView1()->appendJobs({row("a.wav", "1", " ")});
        form().ListView1()->topLevelItem(0)->setSelected(true);
        trigger("CreateReport1");
        QCOMPARE(prompts->shown.size(), std::size_t{1});
        QCOMPARE(prompts->shown[0].text, QStringLiteral("Error opening report file"));
        QCOMPARE(prompts->shown[0].caption, QStringLiteral("Error"));
        QCOMPARE(prompts->shown[0].parent, static_cast<QWidget*>(nullptr));
        QVERIFY(opened.empty());
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
        QCOMPARE(form().StatusBar1()->panelText(3),
                 QStringLiteral("Error converting to PCM .wav format"));
    }
};

QTEST_MAIN(TestLogAndReport)
#include "tst_log_and_report.moc"
