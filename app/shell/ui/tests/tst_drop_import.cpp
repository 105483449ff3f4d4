// Files dropped on the main window, delivered as real drop events with file URLs: the
// question, the File Transfer window, the copies, the messages and the rebuilt list.
#include "ui/ApplicationWindows.h"
#include "ui/JobListView.h"
#include "ui/MainForm.h"
#include "ui/PauseForm.h"

#include "ui_test/FakePrompts.h"
#include "ui_test/Workspace.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include <filesystem>
#include <memory>

using ui::TfrmMainForm;

namespace {

namespace fs = std::filesystem;

// Delivers a drag entering the window and, when it is accepted, the drop. Returns whether the
// window accepted the drag.
bool dropOn(TfrmMainForm& form, const QStringList& paths) {
    QMimeData files;
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls << QUrl::fromLocalFile(path);
    files.setUrls(urls);
    const QPoint at = form.rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&form, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(at, Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&form, &drop);
    return drop.isAccepted();
}

} // namespace

class TestDropImport : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ui_test::Workspace> workspace;
    std::unique_ptr<ui_test::FakePrompts> fakePrompts;
    std::unique_ptr<ui::ApplicationWindows> windows;

    TfrmMainForm& form() { return windows->frmMainForm(); }

    void start(const std::vector<std::string>& table = {
                   "InputDir1=C:\\Dict\\Type1", "OutputDir1=C:\\Out", "UserID1=1001", "Loc1=00"}) {
        std::vector<std::string> config = {"ShowTips=0"};
        config.insert(config.end(), table.begin(), table.end());
        workspace->writeConfig(config);
        workspace->addDriveFolder("c/Dict/Type1");
        windows = std::make_unique<ui::ApplicationWindows>();
        form().show();
    }

    QString dropped(const std::string& name, const std::string& content = "RIFF") const {
        const fs::path file = workspace->root() / "desktop" / name;
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << content;
        return QString::fromStdString(file.string());
    }

    fs::path inbox() const { return workspace->root() / "drives/c/Dict/Type1"; }

    QStringList messageTexts() const {
        QStringList texts;
        for (const auto& message : fakePrompts->messages)
            texts << message.text;
        return texts;
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

    void threeWavesAndAnMp3() {
        start();
        const QString mp3 = dropped("music.mp3");
        const QStringList paths = {dropped("a.wav"), dropped("B.WAV"), mp3, dropped("c.Dss")};
        // While the invalid-type message is up, the File Transfer window shows the last copy.
        QString transferText;
        bool animating = false;
        fakePrompts->onMessage = [&](const ui::PromptRequest& request) {
            if (!request.text.endsWith(QStringLiteral("invalid sound file type.")))
                return;
            auto* transfer = form().findChild<ui::TfrmPause*>();
            QVERIFY(transfer != nullptr && transfer->isVisible());
            QCOMPARE(transfer->windowTitle(), QStringLiteral("File Transfer"));
            transferText = transfer->lblCurFile()->text();
            animating = transfer->anmPause()->isRunning();
        };
        QVERIFY(dropOn(form(), paths));
        QCOMPARE(messageTexts(),
                 (QStringList{"Do you wish to import files to folder \"C:\\Dict\\Type1\"?",
                              mp3 + " is an invalid sound file type.", "3 files imported."}));
        QCOMPARE(fakePrompts->messages[0].caption, QStringLiteral("Import Files"));
        QCOMPARE(fakePrompts->messages[0].icon, ui::PromptIcon::Question);
        QCOMPARE(fakePrompts->messages[0].buttons, ui::PromptButtons::YesNo);
        QCOMPARE(fakePrompts->messages[2].caption, QStringLiteral("Import Utility"));
        QCOMPARE(fakePrompts->messages[2].icon, ui::PromptIcon::None);
        QCOMPARE(transferText, "File:  " + paths[1]);
        QVERIFY(animating);
        QVERIFY2(form().findChild<ui::TfrmPause*>() == nullptr, "the window ends with the import");
        QCOMPARE(form().ListView1()->jobCount(), 3);
        QCOMPARE(form().ListView1()->jobRow(0).columns[shell::kColUserId], std::string("1001"));
        QVERIFY(fs::exists(inbox() / "B.WAV"));
    }

    void aDroppedNameThatExistsIsCopiedUnderANumberedName() {
        start();
        workspace->addDriveFile("c/Dict/Type1/take.wav", 7);
        QVERIFY(dropOn(form(), {dropped("take.wav", "new")}));
        QCOMPARE(messageTexts().last(), QStringLiteral("1 files imported."));
        QCOMPARE(fs::file_size(inbox() / "take.wav"), std::uintmax_t(7));
        QVERIFY(fs::exists(inbox() / "take(1).wav"));
        QCOMPARE(form().ListView1()->jobCount(), 2);
    }

    void answeringNoCopiesNothing() {
        start();
        fakePrompts->answerYes = false;
        QVERIFY(dropOn(form(), {dropped("a.wav")}));
        QCOMPARE(fakePrompts->messages.size(), 1);
        QVERIFY(fs::is_empty(inbox()));
    }

    void aDropOnAnEmptyTableIsRefused() {
        start({"InputDir1="});
        QVERIFY(dropOn(form(), {dropped("a.wav")}));
        QCOMPARE(fakePrompts->messages.size(), 1);
        QCOMPARE(fakePrompts->messages[0].caption, QStringLiteral("Import Files"));
        QVERIFY(fakePrompts->messages[0].text.startsWith(
            QStringLiteral("No input folder is configured")));
        QVERIFY(fs::is_empty(workspace->root() / "drives/c/Dict/Type1"));
    }

    void aDropDuringAConversionRunIsRefused() {
        start();
        form().setEnabled(false); // as a run leaves it
        QVERIFY(!dropOn(form(), {dropped("a.wav")}));
        QVERIFY(fakePrompts->messages.isEmpty());
        form().setEnabled(true);
        QVERIFY(dropOn(form(), {dropped("a.wav")}));
    }

    void aSecondDropWhileTheFirstIsCopyingIsRefused() {
        start();
        bool secondAccepted = true;
        const QString second = dropped("second.wav");
        fakePrompts->onMessage = [&](const ui::PromptRequest& request) {
            if (request.buttons == ui::PromptButtons::YesNo && secondAccepted)
                secondAccepted = dropOn(form(), {second});
        };
        QVERIFY(dropOn(form(), {dropped("first.wav")}));
        QVERIFY(!secondAccepted);
        QVERIFY(!fs::exists(inbox() / "second.wav"));
    }

    void aScheduledRunBetweenTwoFilesSeesOnlyWholeFiles() {
        start({"InputDir1=C:\\Dict\\Type1", "EnableSched=1", "ConvertInterval=1"});
        int runs = 0;
        std::vector<std::string> seen;
        form().installCommand(ui::Command::ConvertAll, [&] {
            ++runs;
            for (const auto& entry : fs::directory_iterator(inbox()))
                seen.push_back(entry.path().filename().string());
        });
        QStringList paths;
        for (int i = 0; i < 3; ++i)
            paths << dropped("t" + std::to_string(i) + ".wav", std::string(100000, 'x'));
        // The scheduler's tick arrives while the files are copied.
        QTimer::singleShot(0, &form(), [&] { form().Timer1Timer(); });
        QVERIFY(dropOn(form(), paths));
        QCOMPARE(runs, 1);
        for (const std::string& name : seen)
            QVERIFY2(name.front() != '.', name.c_str());
        QCOMPARE(messageTexts().last(), QStringLiteral("3 files imported."));
    }

    void fiveHundredFilesInOneDrop() {
        start();
        QStringList paths;
        for (int i = 0; i < 500; ++i)
            paths << dropped("d" + std::to_string(i) + ".dss", "x");
        QVERIFY(dropOn(form(), paths));
        QCOMPARE(messageTexts().last(), QStringLiteral("500 files imported."));
        QCOMPARE(form().ListView1()->jobCount(), 500);
    }

    void droppedFoldersAndVanishedFilesAreNotCounted() {
        start();
        const QString folder =
            QString::fromStdString((workspace->root() / "desktop/folder.wav").string());
        fs::create_directories(folder.toStdString());
        const QString vanished = dropped("gone.wav");
        fs::remove(vanished.toStdString());
        QVERIFY(dropOn(form(), {folder, vanished, dropped("kept.wav")}));
        QCOMPARE(messageTexts().last(), QStringLiteral("1 files imported."));
        QCOMPARE(form().ListView1()->jobCount(), 1);
    }
};

QTEST_MAIN(TestDropImport)
#include "tst_drop_import.moc"
