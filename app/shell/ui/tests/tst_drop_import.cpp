// Files dropped on the main window as the window system delivers them: the question, the File
// Transfer window, the messages, the rebuilt list, and the drops the window refuses. The copy
// rules themselves are the dropimport library's.
#include "ui/JobListView.h"
#include "ui/NoticeBox.h"
#include "ui/PauseForm.h"

#include "dropimport/drop_import.h"
#include "platform_test/wait_for.h"
#include "ui_test/Program.h"

#include <QFileInfo>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <optional>

using ui::TfrmMainForm;

class TestDropImport : public QObject {
    Q_OBJECT

private:
    std::optional<ui_test::Program> program;

    TfrmMainForm& form() { return program->form(); }
    std::filesystem::path inbox() const {
        return program->workspace.root() / "drives/c/Dict/Type1";
    }

private slots:
    void init() {
        program.emplace();
        program->workspace.addDriveFolder("c/Dict/Type1");
        program->start({"InputDir1=C:\\Dict\\Type1", "UserID1=1001"});
    }
    void cleanup() { program.reset(); }

    void threeWavesAndAnMp3() {
        const QString mp3 = program->desktopFile("music.mp3");
        const QStringList paths = {program->desktopFile("a.wav"), program->desktopFile("B.WAV"),
                                   mp3, program->desktopFile("c.Dss")};
        // While the invalid-type message is up, the File Transfer window shows the last copy.
        QString transferText;
        bool animating = false;
        program->prompts.onMessage = [&](const ui::PromptRequest& request) {
            auto* transfer = form().findChild<ui::TfrmPause*>();
            if (request.text != mp3 + " is an invalid sound file type." || transfer == nullptr)
                return;
            transferText = transfer->isVisible() ? transfer->lblCurFile()->text() : QString();
            animating = transfer->anmPause()->isRunning();
        };
        QCOMPARE(program->drop(paths), Qt::CopyAction);
        QCOMPARE(program->messageTexts(),
                 (QStringList{"Do you wish to import files to folder \"C:\\Dict\\Type1\"?",
                              mp3 + " is an invalid sound file type.", "3 files imported."}));
        const auto& messages = program->prompts.messages;
        QCOMPARE(messages[0].caption, QStringLiteral("Import Files"));
        QCOMPARE(messages[0].icon, ui::PromptIcon::Question);
        QCOMPARE(messages[0].buttons, ui::PromptButtons::YesNo);
        QCOMPARE(messages[2].caption, QStringLiteral("Import Utility"));
        QCOMPARE(messages[2].icon, ui::PromptIcon::None);
        QCOMPARE(transferText, "File:  " + paths[1]);
        QVERIFY(animating);
        QVERIFY2(form().findChild<ui::TfrmPause*>() == nullptr, "the window ends with the import");
        QCOMPARE(form().ListView1()->jobCount(), 3);
        QCOMPARE(form().ListView1()->jobRow(0).columns[shell::kColUserId], std::string("1001"));
    }

    // The source proposes a move (Shift held, as a file manager does): the window answers
    // that it copied, so the source keeps its files.
    void aDropThatProposesAMoveIsTakenAsACopy() {
        const QStringList paths = {program->desktopFile("kept.wav"), program->desktopFile("x.mp3")};
        QCOMPARE(ui_test::DragSource(paths).proposedAction(), Qt::MoveAction);
        QCOMPARE(program->drop(paths), Qt::CopyAction);
        for (const QString& path : paths)
            QVERIFY2(QFileInfo::exists(path), qPrintable(path));
        QVERIFY(std::filesystem::exists(inbox() / "kept.wav"));
    }

    // Refused, declined or not taken: the drop is ignored, so a source that proposed a move
    // keeps its file; nothing is copied. A refusal while the window is busy is a notice that
    // does not wait; the others are boxes as designed.
    void dropsTheWindowDoesNotTakeLeaveTheSourceItsFile_data() {
        QTest::addColumn<QString>("during");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("notice");
        QTest::newRow("no input folder")
            << "empty table" << shell::kNoInputFolderForDropText << false;
        QTest::newRow("a conversion run") << "run" << shell::kDropDuringRunText << true;
        QTest::newRow("an earlier drop") << "drop" << shell::kDropDuringImportText << true;
        QTest::newRow("the question declined") << "no"
                                               << "" << false;
        QTest::newRow("a source that only moves") << "move only"
                                                  << "" << false;
    }

    void dropsTheWindowDoesNotTakeLeaveTheSourceItsFile() {
        QFETCH(QString, during);
        QFETCH(QString, message);
        QFETCH(bool, notice);
        const QString refused = program->desktopFile("refused.wav");
        QStringList boxes;
        Qt::DropAction answered = Qt::CopyAction;
        program->prompts.onMessage = [&](const ui::PromptRequest& request) {
            if (request.caption == "Import Files" && request.buttons == ui::PromptButtons::Ok)
                boxes << request.text;
            else if (request.buttons == ui::PromptButtons::YesNo && during == "drop")
                answered = program->drop({refused});
        };
        if (during == "empty table")
            program->start({"InputDir1="});
        program->prompts.answerYes = during != "no";
        form().setEnabled(during != "run"); // a run leaves the window disabled
        if (during == "drop") {
            QCOMPARE(program->drop({program->desktopFile("first.wav")}), Qt::CopyAction);
        } else {
            const Qt::DropActions offered = during == "move only" ? Qt::DropActions(Qt::MoveAction)
                                                                  : Qt::CopyAction | Qt::MoveAction;
            answered = ui_test::DragSource({refused}, offered)
                           .dropOn(form().windowHandle(), form().rect().center());
        }
        QCOMPARE(answered, Qt::IgnoreAction);
        QVERIFY(QFileInfo::exists(refused));
        QVERIFY(!std::filesystem::exists(inbox() / "refused.wav"));
        const ui::NoticeBox* shown = form().noticeBox();
        QCOMPARE(shown != nullptr && shown->isVisible(), notice);
        QCOMPARE(notice ? shown->text() : boxes.value(0), message);
        if (notice) {
            QVERIFY(!shown->isModal());
            QCOMPARE(shown->windowTitle(), QStringLiteral("Import Files"));
        }
    }

    // The notice has no owner (a run disables the main window); left open, it must not keep the
    // program running once the main window is closed.
    void aNoticeLeftOpenLetsTheProgramEnd() {
        form().setEnabled(false);
        QCOMPARE(program->drop({program->desktopFile("late.wav")}), Qt::IgnoreAction);
        QVERIFY(form().noticeBox()->isVisible());
        form().setEnabled(true);
        // The program's own loop, which ends when its last window closes, or at the deadline.
        bool deadlinePassed = false;
        QTimer deadline;
        deadline.setSingleShot(true);
        connect(&deadline, &QTimer::timeout, [&] {
            deadlinePassed = true;
            QCoreApplication::quit();
        });
        deadline.start(platform_test::kEventDeadline / 3);
        QTimer::singleShot(0, &form(), [this] { form().close(); });
        QCoreApplication::exec();
        QVERIFY(!deadlinePassed);
    }

    // A first start: the example folders do not exist. The drop the tips suggest creates the
    // first input folder and its output folder, imports, and the list shows the jobs.
    void aFirstStartDropCreatesTheFirstInputFolder() {
        program.emplace();
        program->startAsIs();
        const QStringList paths = {program->desktopFile("one.wav"),
                                   program->desktopFile("two.dss")};
        QVERIFY(program->panel(3).startsWith("No input folder exists yet."));
        QCOMPARE(program->drop(paths), Qt::CopyAction);
        QCOMPARE(program->messageTexts(),
                 (QStringList{"The folder \"C:\\Dict\\Type1\" does not exist yet. Do you wish to "
                              "create it and import files to it?",
                              "2 files imported."}));
        QCOMPARE(form().ListView1()->jobCount(), 2);
        QVERIFY(std::filesystem::is_directory(program->workspace.root() /
                                              "drives/c/Convert/TSP/type1"));
        QCOMPARE(program->panel(3), QString());
        QCOMPARE(form().ListView1()->emptyListText(), QString());
    }
};

QTEST_MAIN(TestDropImport)
#include "tst_drop_import.moc"
