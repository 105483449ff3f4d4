// Listening to a job in the running main window: a double click on a row starts Listenbox from
// the working folder, or opens the file in the desktop's default handler (answered through
// the window's opener seam).
#include "ui/JobListView.h"

#include "ui_test/Program.h"

#include <QTest>

#include <filesystem>
#include <fstream>
#include <optional>

class TestPlayJob : public QObject {
    Q_OBJECT

private:
    std::optional<ui_test::Program> program;
    std::filesystem::path dictation;

    ui::TfrmMainForm& form() { return program->form(); }

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
        program.emplace();
        dictation = program->workspace.addDriveFile("c/Dict/Type 1/smith letter.wav", 2000);
        program->workspace.addDriveFolder("c/Convert/type1");
        program->recordOpened(true);
        program->start({"InputDir1=C:\\Dict\\Type 1", "OutputDir1=C:\\Convert\\type1",
                        "UserID1=1001", "Loc1=00"});
        QVERIFY(QTest::qWaitForWindowExposed(&form()));
        form().RefreshJobList();
    }

    void cleanup() { program.reset(); }

    void withoutListenboxTheDefaultHandlerOpensTheFile() {
        doubleClickFirstRow();
        QCOMPARE(program->opened.size(), std::size_t{1});
        QCOMPARE(std::filesystem::path(program->opened[0]), dictation);
        QVERIFY(program->prompts.messages.isEmpty());
    }

    // A stand-in Listenbox writes its argument where the test looks for it.
    void listenboxInTheWorkingFolderPlaysTheFile() {
        const std::filesystem::path heard = program->workspace.root() / "heard.txt";
        const std::filesystem::path player = program->workspace.workFolder() / "Listenbox";
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
        QVERIFY(program->opened.empty());
    }

    void withoutASelectionSaysSo() {
        form().ListView1()->clearSelection();
        form().ListView1DblClick();
        QCOMPARE(program->messageTexts(), QStringList{"No jobs have been selected."});
        QVERIFY(program->opened.empty());
    }
};

QTEST_MAIN(TestPlayJob)
#include "tst_play_job.moc"
