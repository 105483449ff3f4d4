// The directories window driven as a user would: its grid, editing in place, Save and Close,
// and what Save stores in import.ini and does to the job list.
#include "ui/ApplicationWindows.h"
#include "ui/GridForm.h"
#include "ui/JobListView.h"
#include "ui/MainForm.h"

#include "ui_test/FakePrompts.h"
#include "ui_test/Workspace.h"

#include <QAction>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <filesystem>
#include <memory>

using ui::TfrmGrid;
using ui::TfrmMainForm;

class TestDirectories : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ui_test::Workspace> workspace;
    std::unique_ptr<ui_test::FakePrompts> fakePrompts;
    std::unique_ptr<ui::ApplicationWindows> windows;

    TfrmMainForm& form() { return windows->frmMainForm(); }
    TfrmGrid& grid() { return windows->frmGrid(); }

    void start(const std::vector<std::string>& table) {
        std::vector<std::string> config = {"ShowTips=0"};
        config.insert(config.end(), table.begin(), table.end());
        workspace->writeConfig(config);
        windows = std::make_unique<ui::ApplicationWindows>();
        form().show();
    }

    void startWithOneRow() {
        start({"InputDir1=C:\\Dict\\Type1", "OutputDir1=C:\\Out1", "UserID1=1001", "Loc1=00"});
    }

    void openWindow() {
        form().findChild<QAction*>(QStringLiteral("mnuDir"))->trigger();
        QVERIFY(grid().isVisible());
    }

    // Types into cell (column, row) of the grid's numbering (row 0 is the header row).
    void typeInto(int column, int row, const QString& text) {
        QTableWidget* table = grid().StringGrid1();
        table->setCurrentCell(row - 1, column);
        QTest::keyClick(table, Qt::Key_F2);
        auto* editor = qobject_cast<QLineEdit*>(table->indexWidget(table->currentIndex()));
        QVERIFY(editor != nullptr);
        editor->selectAll();
        QTest::keyClick(editor, Qt::Key_Delete);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Tab);
    }

    void save() { QTest::mouseClick(grid().btnSave(), Qt::LeftButton); }

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

    void gridLayout() {
        startWithOneRow();
        openWindow();
        QCOMPARE(grid().windowTitle(), QStringLiteral("Directories"));
        QVERIFY(!grid().isModal());
        QVERIFY(form().isEnabled());
        QCOMPARE(grid().minimumSize(), QSize(622, 300));
        QVERIFY(!(grid().windowFlags() & Qt::WindowMaximizeButtonHint));
        QTableWidget* table = grid().StringGrid1();
        QCOMPARE(table->columnCount(), 4);
        const int widths[] = {233, 217, 74, 65};
        for (int column = 0; column < 4; ++column)
            QCOMPARE(table->columnWidth(column), widths[column]);
        QCOMPARE(grid().cell(0, 0), QStringLiteral("Input Directories"));
        QCOMPARE(grid().cell(3, 0), QStringLiteral("Location"));
        int shown = 0;
        for (int row = 0; row < table->rowCount(); ++row)
            shown += table->isRowHidden(row) ? 0 : 1;
        QCOMPARE(shown, 98);
        QCOMPARE(table->verticalHeader()->defaultSectionSize(), 18);
        QCOMPARE(grid().btnSave()->text(), QStringLiteral("&Save"));
        QCOMPARE(grid().btnClose()->text(), QStringLiteral("&Close"));
        QVERIFY(grid().btnSave()->isEnabled());
    }

    void tabMovesToTheNextCellWhileEditing() {
        startWithOneRow();
        openWindow();
        typeInto(0, 2, QStringLiteral("C:\\Two"));
        QCOMPARE(grid().StringGrid1()->currentColumn(), 1);
        QCOMPARE(grid().StringGrid1()->currentRow(), 1);
        QCOMPARE(grid().cell(0, 2), QStringLiteral("C:\\Two"));
    }

    void saveStoresTrimsCreatesRebuildsAndHides() {
        startWithOneRow();
        workspace->addDriveFolder("c/New");
        workspace->addDriveFile("c/Dict/Type2/fresh.wav", 10);
        openWindow();
        typeInto(0, 2, QStringLiteral("C:\\Dict\\Type2\\"));
        typeInto(1, 2, QStringLiteral("C:\\New\\Out\\"));
        typeInto(2, 2, QStringLiteral("1234567"));
        typeInto(3, 2, QStringLiteral("abc"));
        QCOMPARE(form().ListView1()->jobCount(), 0);
        save();
        QVERIFY(!grid().isVisible());
        const auto keys = workspace->configMap();
        QCOMPARE(keys.at("InputDir2"), std::string("C:\\Dict\\Type2"));
        QCOMPARE(keys.at("OutputDir2"), std::string("C:\\New\\Out"));
        QCOMPARE(keys.at("UserID2"), std::string("12345"));
        QCOMPARE(keys.at("Loc2"), std::string("ab"));
        QCOMPARE(keys.at("InputDir100"), std::string());
        QVERIFY(keys.find("InputDir101") == keys.end());
        QVERIFY(std::filesystem::is_directory(workspace->root() / "drives/c/New/Out"));
        QCOMPARE(form().ListView1()->jobCount(), 1);
        QCOMPARE(form().ListView1()->jobRow(0).columns[0], std::string("fresh.wav"));
        QCOMPARE(grid().cell(0, 2), QStringLiteral("C:\\Dict\\Type2"));
    }

    void aCellStillBeingEditedIsSaved() {
        startWithOneRow();
        openWindow();
        QTableWidget* table = grid().StringGrid1();
        table->setCurrentCell(0, 2);
        QTest::keyClick(table, Qt::Key_F2);
        auto* editor = qobject_cast<QLineEdit*>(table->indexWidget(table->currentIndex()));
        QVERIFY(editor != nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("4242"));
        grid().btnSaveClick();
        QCOMPARE(workspace->configMap().at("UserID1"), std::string("4242"));
    }

    void anEmptiedRowEndsTheTableButKeepsTheRowsAfterIt() {
        start({"InputDir1=C:\\A", "InputDir2=C:\\B", "InputDir3=C:\\C", "UserID3=333"});
        workspace->addDriveFile("c/A/a.wav", 1);
        workspace->addDriveFile("c/C/c.wav", 1);
        openWindow();
        typeInto(0, 2, QString());
        save();
        QCOMPARE(form().ListView1()->jobCount(), 1);
        QCOMPARE(workspace->configMap().at("InputDir3"), std::string("C:\\C"));
        QCOMPARE(workspace->configMap().at("UserID3"), std::string("333"));
    }

    void rowsBeyondTheShownOnesAreKeptAndSaved() {
        std::vector<std::string> table;
        for (int row = 1; row <= 101; ++row)
            table.push_back("InputDir" + std::to_string(row) + "=C:\\In" + std::to_string(row));
        start(table);
        QCOMPARE(grid().cell(0, 101), QStringLiteral("C:\\In101"));
        QVERIFY(grid().StringGrid1()->isRowHidden(98));
        grid().btnSaveClick();
        QCOMPARE(workspace->configMap().at("InputDir100"), std::string("C:\\In100"));
        QCOMPARE(workspace->configMap().at("InputDir101"), std::string("C:\\In101"));
    }

    void closeHidesAndKeepsUnsavedEdits() {
        startWithOneRow();
        const std::string before = workspace->configText();
        openWindow();
        typeInto(0, 5, QStringLiteral("C:\\Unsaved"));
        QTest::mouseClick(grid().btnClose(), Qt::LeftButton);
        QVERIFY(!grid().isVisible());
        QCOMPARE(workspace->configText(), before);
        form().RefreshJobList(); // reads up to row 2, the first empty one
        openWindow();
        QCOMPARE(grid().cell(0, 5), QStringLiteral("C:\\Unsaved"));
    }

    void aFailedWriteKeepsTheWindowAndTheList() {
        startWithOneRow();
        workspace->addDriveFile("c/Dict/Type1/kept.wav", 1);
        form().RefreshJobList();
        openWindow();
        std::filesystem::remove(workspace->configFile());
        std::filesystem::create_directory(workspace->configFile());
        typeInto(0, 1, QStringLiteral("C:\\Elsewhere"));
        save();
        QVERIFY(grid().isVisible());
        QCOMPARE(fakePrompts->messages.size(), 1);
        QCOMPARE(fakePrompts->messages[0].text, QStringLiteral("Unable to write to .\\import.ini"));
        QCOMPARE(form().ListView1()->jobCount(), 1);
        QCOMPARE(grid().cell(0, 1), QStringLiteral("C:\\Elsewhere"));
    }

    void aCellWithALineBreakStoresNothing() {
        startWithOneRow();
        const std::string before = workspace->configText();
        openWindow();
        grid().setCell(1, 3, QStringLiteral("C:\\Out\nInputDir1=C:\\Injected"));
        save();
        QVERIFY(grid().isVisible());
        QCOMPARE(fakePrompts->messages.size(), 1);
        QCOMPARE(fakePrompts->messages[0].text, QStringLiteral("Unable to write to .\\import.ini"));
        QCOMPARE(workspace->configText(), before);
    }

    void unusualFolderNamesRoundTrip_data() {
        QTest::addColumn<QString>("folder");
        QTest::newRow("blanks") << "C:\\Dict\\Frau Doktor Weiß";
        QTest::newRow("quotes") << "\"C:\\Dict\\Quoted\"";
        QTest::newRow("equal sign") << "C:\\Dict\\a=b";
        QTest::newRow("other scripts") << QString::fromUtf8("C:\\Диктовки\\Ωmega");
    }

    void unusualFolderNamesRoundTrip() {
        QFETCH(QString, folder);
        startWithOneRow();
        openWindow();
        grid().setCell(0, 1, folder);
        save();
        QCOMPARE(QString::fromStdString(workspace->configMap().at("InputDir1")), folder);
        QCOMPARE(grid().cell(0, 1), folder);
    }
};

QTEST_MAIN(TestDirectories)
#include "tst_directories.moc"
