// The directories window driven as a user would: editing its grid in place, Save and Close, and
// what Save does to import.ini, the output folders and the job list.
#include "ui/GridForm.h"
#include "ui/JobListView.h"

#include "platform_test/folder_listing.h"
#include "ui_test/Program.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <filesystem>
#include <optional>

using ui::TfrmGrid;

class TestDirectories : public QObject {
    Q_OBJECT

private:
    std::optional<ui_test::Program> program;

    TfrmGrid& grid() { return program->windows->frmGrid(); }
    int jobCount() { return program->form().ListView1()->jobCount(); }
    std::string stored(const std::string& key) { return program->workspace.configMap().at(key); }

    void openWindow(const char* action = "mnuDir") {
        program->trigger(action);
        QVERIFY(grid().isVisible());
    }

    // Opens the editor of cell (column, row) of the grid's numbering (row 0 is the header
    // row) and types into it, leaving the editor open.
    QLineEdit* startTyping(int column, int row, const QString& text) {
        QTableWidget* table = grid().StringGrid1();
        table->setCurrentCell(row - 1, column);
        QTest::keyClick(table, Qt::Key_F2);
        auto* editor = qobject_cast<QLineEdit*>(table->indexWidget(table->currentIndex()));
        if (editor == nullptr)
            qFatal("no editor on cell %d, %d", column, row);
        editor->selectAll();
        QTest::keyClick(editor, Qt::Key_Delete);
        QTest::keyClicks(editor, text);
        return editor;
    }

    // Types into a cell and moves on with Tab.
    void typeInto(int column, int row, const QString& text) {
        QTest::keyClick(startTyping(column, row, text), Qt::Key_Tab);
    }

    void save() { QTest::mouseClick(grid().btnSave(), Qt::LeftButton); }

private slots:
    void init() {
        program.emplace();
        program->start(
            {"InputDir1=C:\\Dict\\Type1", "OutputDir1=C:\\Out1", "UserID1=1001", "Loc1=00"});
    }
    void cleanup() { program.reset(); }

    void theWindowIsNotModal() {
        openWindow("tbtnDirectories");
        QVERIFY(!grid().isModal());
        QVERIFY(program->form().isEnabled());
        QCOMPARE(grid().minimumSize(), QSize(622, 300));
        int shown = 0;
        for (int row = 0; row < grid().StringGrid1()->rowCount(); ++row)
            shown += grid().StringGrid1()->isRowHidden(row) ? 0 : 1;
        QCOMPARE(shown, 98);
    }

    void saveStoresTrimsCreatesRebuildsAndHides() {
        program->workspace.addDriveFolder("c/New");
        program->workspace.addDriveFile("c/Dict/Type2/fresh.wav", 10);
        openWindow();
        typeInto(0, 2, QStringLiteral("C:\\Dict\\Type2\\"));
        QCOMPARE(grid().StringGrid1()->currentColumn(), 1); // Tab moves to the next cell
        typeInto(1, 2, QStringLiteral("C:\\New\\Out\\"));
        typeInto(2, 2, QStringLiteral("1234567"));
        typeInto(3, 2, QStringLiteral("abc"));
        QCOMPARE(jobCount(), 0);
        save();
        QVERIFY(!grid().isVisible());
        QCOMPARE(stored("InputDir2"), std::string("C:\\Dict\\Type2"));
        QCOMPARE(stored("OutputDir2"), std::string("C:\\New\\Out"));
        QCOMPARE(stored("UserID2"), std::string("12345"));
        QCOMPARE(stored("Loc2"), std::string("ab"));
        QVERIFY(std::filesystem::is_directory(program->workspace.root() / "drives/c/New/Out"));
        QCOMPARE(jobCount(), 1);
        QCOMPARE(grid().cell(0, 2), QStringLiteral("C:\\Dict\\Type2"));
    }

    // The first run's rows 10 to 101 hold one blank: saved, they create no folder " " in the
    // working folder, and the window still says that no input folder exists.
    void savingTheFirstRunsTableCreatesNoBlankFolder() {
        program.emplace();
        program->startAsIs();
        openWindow();
        QCOMPARE(grid().cell(0, 10), QStringLiteral(" "));
        save();
        QVERIFY(!grid().isVisible());
        QCOMPARE(platform_test::folderEntries(program->workspace.workFolder()),
                 std::vector<std::string>{"import.ini"});
        QCOMPARE(stored("OutputDir10"), std::string(" "));
        QVERIFY(program->panel(3).startsWith("No input folder exists yet."));
        QVERIFY(!program->form().ListView1()->emptyListText().isEmpty());
    }

    void aCellStillBeingEditedIsSaved() {
        openWindow();
        startTyping(2, 1, QStringLiteral("4242"));
        grid().btnSaveClick();
        QCOMPARE(stored("UserID1"), std::string("4242"));
    }

    void rowsBeyondTheShownOnesAreKeptAndSaved() {
        std::vector<std::string> table;
        for (int row = 1; row <= 101; ++row)
            table.push_back("InputDir" + std::to_string(row) + "=C:\\In" + std::to_string(row));
        program->start(table);
        QCOMPARE(grid().cell(0, 101), QStringLiteral("C:\\In101"));
        grid().btnSaveClick();
        QCOMPARE(stored("InputDir100"), std::string("C:\\In100"));
        QCOMPARE(stored("InputDir101"), std::string("C:\\In101"));
    }

    void closeHidesAndKeepsUnsavedEdits() {
        const std::string before = program->workspace.configText();
        openWindow();
        typeInto(0, 5, QStringLiteral("C:\\Unsaved"));
        QTest::mouseClick(grid().btnClose(), Qt::LeftButton);
        QVERIFY(!grid().isVisible());
        QCOMPARE(program->workspace.configText(), before);
        openWindow();
        QCOMPARE(grid().cell(0, 5), QStringLiteral("C:\\Unsaved"));
    }

    // Nothing is half-stored: the window stays open with the edits, and the list as it was.
    void aSaveThatCannotBeStoredKeepsTheWindowAndTheList_data() {
        QTest::addColumn<bool>("lineBreak");
        QTest::newRow("the file cannot be written") << false;
        QTest::newRow("a cell holds a line break") << true;
    }

    void aSaveThatCannotBeStoredKeepsTheWindowAndTheList() {
        QFETCH(bool, lineBreak);
        program->workspace.addDriveFile("c/Dict/Type1/kept.wav", 1);
        program->form().RefreshJobList();
        const std::string before = program->workspace.configText();
        openWindow();
        if (lineBreak) {
            grid().setCell(1, 3, QStringLiteral("C:\\Out\nInputDir1=C:\\Injected"));
        } else {
            std::filesystem::remove(program->workspace.configFile());
            std::filesystem::create_directory(program->workspace.configFile());
        }
        typeInto(0, 1, QStringLiteral("C:\\Elsewhere"));
        save();
        QVERIFY(grid().isVisible());
        const QString reason = lineBreak ? "a cell holds a line break" : "Is a directory";
        QCOMPARE(program->messageTexts(),
                 QStringList{"Unable to write to .\\import.ini: " + reason});
        QCOMPARE(jobCount(), 1);
        QCOMPARE(grid().cell(0, 1), QStringLiteral("C:\\Elsewhere"));
        if (lineBreak)
            QCOMPARE(program->workspace.configText(), before);
    }
};

QTEST_MAIN(TestDirectories)
#include "tst_directories.moc"
