// Files dropped on the main window as the window system delivers them: the question, the File
// Transfer window, the messages, the rebuilt list, and the drops the window refuses. The copy
// rules themselves are the dropimport library's.
#include "ui/JobListView.h"
#include "ui/PauseForm.h"

#include "dropimport/drop_import.h"
#include "ui_test/Program.h"

#include <QTest>

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
        QVERIFY(program->drop(paths));
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

    // Refused with a message naming the reason, and nothing is copied.
    void dropsTheWindowCannotTakeAreRefused_data() {
        QTest::addColumn<QString>("during");
        QTest::addColumn<QString>("message");
        QTest::newRow("no input folder") << "empty table" << shell::kNoInputFolderForDropText;
        QTest::newRow("a conversion run") << "run" << shell::kDropDuringRunText;
        QTest::newRow("an earlier drop") << "drop" << shell::kDropDuringImportText;
    }

    void dropsTheWindowCannotTakeAreRefused() {
        QFETCH(QString, during);
        QFETCH(QString, message);
        const QString refused = program->desktopFile("refused.wav");
        QStringList refusals;
        program->prompts.onMessage = [&](const ui::PromptRequest& request) {
            if (request.caption == "Import Files" && request.buttons == ui::PromptButtons::Ok)
                refusals << request.text;
            else if (request.buttons == ui::PromptButtons::YesNo && during == "drop")
                QVERIFY(program->drop({refused}));
        };
        if (during == "empty table")
            program->start({"InputDir1="});
        form().setEnabled(during != "run"); // a run leaves the window disabled
        const QString dropped = during == "drop" ? program->desktopFile("first.wav") : refused;
        QVERIFY(program->drop({dropped}));
        QCOMPARE(refusals, QStringList{message});
        QVERIFY(!std::filesystem::exists(inbox() / "refused.wav"));
    }
};

QTEST_MAIN(TestDropImport)
#include "tst_drop_import.moc"
