// Listening to a job in the running main window: a double click on a row starts Listenbox from
// the working folder, or opens the file in the desktop's default handler (answered through
// the window's opener seam).
#include "ui/ApplicationWindows.h"
#include "ui/JobListView.h"
#include "ui/Launcher.h"
#include "ui/MainForm.h"
#include "ui/Prompts.h"

#include "ui_test/Workspace.h"

#include <QTest>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

class RecordingPrompts final : public ui::Prompts {
public:
    RecordingPrompts() { ui::setPrompts(this); }
    ~RecordingPrompts() override { ui::setPrompts(nullptr); }
    RecordingPrompts(const RecordingPrompts&) = delete;
    RecordingPrompts& operator=(const RecordingPrompts&) = delete;

    ui::PromptAnswer message(const ui::PromptRequest& request) override {
        texts.push_back(request.text);
        return ui::PromptAnswer::Ok;
    }
    int execDialog(QDialog&) override { return 0; }
    std::vector<QString> texts;
};

} // namespace

class TestPlayJob : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ui_test::Workspace> workspace;
    std::unique_ptr<RecordingPrompts> prompts;
    std::unique_ptr<ui::ApplicationWindows> windows;
    std::vector<std::string> opened;
    std::filesystem::path dictation;

    ui::TfrmMainForm& form() { return windows->frmMainForm(); }

    void doubleClickFirstRow() {
        ui::JobListView* list = form().ListView1();
        QVERIFY(list->jobCount() > 0);
        const QRect rect = list->visualItemRect(list->topLevelItem(0));
        // A double click is a press and release, then the second press as a double click.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }

private slots:
    void init() {
        workspace = std::make_unique<ui_test::Workspace>();
        workspace->writeConfig({"InputDir1=C:\\Dict\\Type 1", "OutputDir1=C:\\Convert\\type1",
                                "UserID1=1001", "Loc1=00", "ShowTips=0"});
        dictation = workspace->addDriveFile("c/Dict/Type 1/smith letter.wav", 2000);
        workspace->addDriveFolder("c/Convert/type1");
        prompts = std::make_unique<RecordingPrompts>();
        opened.clear();
        ui::setOpenHandler([this](const std::string& path) {
            opened.push_back(path);
            return true;
        });
        windows = std::make_unique<ui::ApplicationWindows>();
        form().show();
        QVERIFY(QTest::qWaitForWindowExposed(&form()));
        form().RefreshJobList();
    }

    void cleanup() {
        windows.reset();
        ui::setOpenHandler({});
        prompts.reset();
        workspace.reset();
    }

    void withoutListenboxTheDefaultHandlerOpensTheFile() {
        doubleClickFirstRow();
        QCOMPARE(opened.size(), std::size_t{1});
        QCOMPARE(std::filesystem::path(opened[0]), dictation);
        QVERIFY(prompts->texts.empty());
    }

    // A stand-in Listenbox writes its argument where the test looks for it.
    void listenboxInTheWorkingFolderPlaysTheFile() {
        const std::filesystem::path heard = workspace->root() / "heard.txt";
        const std::filesystem::path player = workspace->workFolder() / "Listenbox";
        {
            std::ofstream script(player);
            script << "#!/bin/sh\nprintf '%s' \"$1\" > '" << heard.string() << ".part'\n"
                   << "mv '" << heard.string() << ".part' '" << heard.string() << "'\n";
        }
        std::filesystem::permissions(player, std::filesystem::perms::owner_all);
        doubleClickFirstRow();
        QTRY_VERIFY_WITH_TIMEOUT(std::filesystem::exists(heard), 10000);
        QCOMPARE(QString::fromStdString(platform_test::readFileBytes(heard)),
                 QString::fromStdString(dictation.string()));
        QVERIFY(opened.empty());
    }

    void withoutASelectionSaysSo() {
        form().ListView1()->clearSelection();
        form().ListView1DblClick();
        QCOMPARE(prompts->texts,
                 std::vector<QString>{QStringLiteral("No jobs have been selected.")});
        QVERIFY(opened.empty());
    }
};

QTEST_MAIN(TestPlayJob)
#include "tst_play_job.moc"
