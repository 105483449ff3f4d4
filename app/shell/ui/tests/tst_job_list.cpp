// The job list as the window shows it: the scan's rows, sizes, images and status texts, the
// directory grid filled by the scan, and sorting through header clicks with the shared flag.
#include "ui/ApplicationWindows.h"
#include "ui/GridForm.h"
#include "ui/JobListView.h"
#include "ui/MainForm.h"
#include "ui/StatusPanels.h"

#include "ui_test/FakePrompts.h"
#include "ui_test/Workspace.h"

#include <QAction>
#include <QHeaderView>
#include <QTest>

#include <memory>

using ui::TfrmMainForm;

namespace {

QStringList column(const ui::JobListView& list, int column) {
    QStringList texts;
    for (int i = 0; i < list.jobCount(); ++i)
        texts << QString::fromStdString(list.jobRow(i).columns[column]);
    return texts;
}

void clickHeader(ui::JobListView& list, int section) {
    QHeaderView* header = list.header();
    const int x = header->sectionViewportPosition(section) + header->sectionSize(section) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
}

QImage iconImage(const QIcon& icon) {
    return icon.pixmap(16, 16).toImage();
}

} // namespace

class TestJobList : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ui_test::Workspace> workspace;
    std::unique_ptr<ui_test::FakePrompts> fakePrompts;
    std::unique_ptr<ui::ApplicationWindows> windows;

    TfrmMainForm& start() {
        windows = std::make_unique<ui::ApplicationWindows>();
        windows->frmMainForm().show();
        return windows->frmMainForm();
    }

    void writeTwoRowTable() {
        workspace->writeConfig({"ShowTips=0", "InputDir1=C:\\Dict\\Type1",
                                "OutputDir1=C:\\Convert\\TSP\\type1", "UserID1=1001", "Loc1=00",
                                "InputDir2=C:\\Dict\\Type2", "OutputDir2=C:\\Out2", "UserID2=2002",
                                "Loc2=07"});
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

    void scanFillsTheList() {
        writeTwoRowTable();
        workspace->addDriveFile("c/Dict/Type1/abc.wav", 1000);
        workspace->addDriveFile("c/Dict/Type1/_done.wav", 5000);
        workspace->addDriveFile("c/Dict/Type1/ABC.DSS", 2600);
        workspace->addDriveFile("c/Dict/Type2/empty.Wav", 0);
        TfrmMainForm& form = start();
        ui::JobListView& list = *form.ListView1();
        QCOMPARE(list.jobCount(), 3);
        // Within a table row every .wav comes before every .dss.
        QCOMPARE(column(list, 0), (QStringList{"abc.wav", "ABC.DSS", "empty.Wav"}));
        QCOMPARE(column(list, 1), (QStringList{"1", "3", "0"}));
        QCOMPARE(column(list, 2), (QStringList{" ", " ", " "}));
        QCOMPARE(column(list, 3), (QStringList{" ", " ", " "}));
        QCOMPARE(column(list, 4),
                 (QStringList{"C:\\Dict\\Type1", "C:\\Dict\\Type1", "C:\\Dict\\Type2"}));
        QCOMPARE(column(list, 5),
                 (QStringList{"C:\\Convert\\TSP\\type1", "C:\\Convert\\TSP\\type1", "C:\\Out2"}));
        QCOMPARE(column(list, 6), (QStringList{"1001", "1001", "2002"}));
        QCOMPARE(column(list, 7), (QStringList{"00", "00", "07"}));
        QCOMPARE(form.StatusBar1()->panelText(0), QStringLiteral("Total Files:  3"));
        QCOMPARE(form.StatusBar1()->panelText(3), QString());
    }

    void rowsShowTheWaitingImageAndCanBeMarkedConverted() {
        writeTwoRowTable();
        workspace->addDriveFile("c/Dict/Type1/one.wav", 10);
        TfrmMainForm& form = start();
        ui::JobListView& list = *form.ListView1();
        QCOMPARE(list.jobImage(0), 1);
        const QImage waiting = iconImage(form.ImageList1().image(1));
        const QImage converted = iconImage(form.ImageList1().image(2));
        QVERIFY(waiting != converted);
        QVERIFY(iconImage(list.topLevelItem(0)->icon(0)) == waiting);
        list.setJobImage(0, 2);
        QCOMPARE(list.jobImage(0), 2);
        QVERIFY(iconImage(list.topLevelItem(0)->icon(0)) == converted);
    }

    void sizeColumnsAreRightAligned() {
        writeTwoRowTable();
        workspace->addDriveFile("c/Dict/Type1/one.wav", 10);
        TfrmMainForm& form = start();
        const QTreeWidgetItem* item = form.ListView1()->topLevelItem(0);
        for (int c : {1, 3})
            QVERIFY2(Qt::Alignment(item->textAlignment(c)) & Qt::AlignRight,
                     qPrintable(QString::number(c)));
        QVERIFY(!(Qt::Alignment(item->textAlignment(0)) & Qt::AlignRight));
    }

    void refreshReadsTheFolderAgain() {
        writeTwoRowTable();
        workspace->addDriveFile("c/Dict/Type1/one.wav", 10);
        TfrmMainForm& form = start();
        QCOMPARE(form.ListView1()->jobCount(), 1);
        workspace->addDriveFile("c/Dict/Type2/two.dss", 10);
        form.StatusBar1()->setPanelText(3, "old error");
        form.findChild<QAction*>("popRefresh")->trigger();
        QCOMPARE(form.ListView1()->jobCount(), 2);
        QCOMPARE(form.StatusBar1()->panelText(0), QStringLiteral("Total Files:  2"));
        QCOMPARE(form.StatusBar1()->panelText(3), QString());
    }

    void emptyFirstInputDirGivesAnEmptyList() {
        workspace->writeConfig({"ShowTips=0", "InputDir1=", "InputDir2=C:\\Dict\\Type2"});
        workspace->addDriveFile("c/Dict/Type2/two.wav", 10);
        TfrmMainForm& form = start();
        QCOMPARE(form.ListView1()->jobCount(), 0);
        QCOMPARE(form.StatusBar1()->panelText(0), QStringLiteral("Total Files:  0"));
    }

    void duplicateRowsListTheirFilesTwice() {
        workspace->writeConfig({"ShowTips=0", "InputDir1=C:\\Dict\\Type1", "UserID1=1001",
                                "InputDir2=c:/dict/type1", "UserID2=2002"});
        workspace->addDriveFile("c/Dict/Type1/one.wav", 10);
        TfrmMainForm& form = start();
        QCOMPARE(column(*form.ListView1(), 6), (QStringList{"1001", "2002"}));
    }

    void scanFillsTheDirectoryGrid() {
        writeTwoRowTable();
        TfrmMainForm& form = start();
        ui::TfrmGrid& grid = windows->frmGrid();
        QCOMPARE(grid.cell(0, 0), QStringLiteral("Input Directories"));
        QCOMPARE(grid.cell(1, 0), QStringLiteral("Output Directories"));
        QCOMPARE(grid.cell(2, 0), QStringLiteral("User ID"));
        QCOMPARE(grid.cell(3, 0), QStringLiteral("Location"));
        QCOMPARE(grid.cell(0, 1), QStringLiteral("C:\\Dict\\Type1"));
        QCOMPARE(grid.cell(1, 2), QStringLiteral("C:\\Out2"));
        QCOMPARE(grid.cell(3, 2), QStringLiteral("07"));
        QCOMPARE(grid.cell(0, 3), QString());
        // Unsaved edits after the row that ended the table survive a scan.
        grid.setCell(0, 5, "C:\\Unsaved");
        form.RefreshJobList();
        QCOMPARE(grid.cell(0, 5), QStringLiteral("C:\\Unsaved"));
    }

    void unusualNamesAreListedAsTheyAre() {
        workspace->writeConfig({"ShowTips=0", "InputDir1=C:\\Dict\\Type1"});
        const QStringList names = {"with blanks.wav", "M\u00fcller \u00e9t\u00e9.wav",
                                   "$(touch x); rm -rf `y` 'q'.wav", "empty.dss"};
        for (const QString& name : names)
            workspace->addDriveFile("c/Dict/Type1/" + name.toStdString(), 0);
        // A folder whose name matches the pattern is listed too: the search does not ask.
        workspace->addDriveFolder("c/Dict/Type1/x.wav");
        TfrmMainForm& form = start();
        QStringList listed = column(*form.ListView1(), 0);
        listed.sort();
        QStringList expected = names;
        expected << "x.wav";
        expected.sort();
        QCOMPARE(listed, expected);
        for (const QString& size : column(*form.ListView1(), 1))
            QCOMPARE(size, QStringLiteral("0"));
    }

    void aFullTableFillsTheHiddenGridRows() {
        std::vector<std::string> lines = {"ShowTips=0"};
        for (int row = 1; row <= 101; ++row)
            lines.push_back("InputDir" + std::to_string(row) + "=C:\\In" + std::to_string(row));
        workspace->writeConfig(lines);
        workspace->addDriveFile("c/In101/last.wav", 1);
        TfrmMainForm& form = start();
        QCOMPARE(windows->frmGrid().cell(0, 101), QStringLiteral("C:\\In101"));
        QCOMPARE(column(*form.ListView1(), 4), QStringList{"C:\\In101"});
    }

    void headerClicksShareOneDirectionFlag() {
        workspace->writeConfig({"ShowTips=0", "InputDir1=C:\\Dict\\Type1", "UserID1=300",
                                "InputDir2=C:\\Dict\\Type2", "UserID2=100",
                                "InputDir3=C:\\Dict\\Type3", "UserID3=200"});
        workspace->addDriveFile("c/Dict/Type1/beta.wav", 10);
        workspace->addDriveFile("c/Dict/Type2/alpha.wav", 10);
        workspace->addDriveFile("c/Dict/Type3/gamma.wav", 10);
        TfrmMainForm& form = start();
        ui::JobListView& list = *form.ListView1();
        QCOMPARE(column(list, 0), (QStringList{"beta.wav", "alpha.wav", "gamma.wav"}));
        clickHeader(list, 0);
        QCOMPARE(column(list, 0), (QStringList{"alpha.wav", "beta.wav", "gamma.wav"}));
        clickHeader(list, 0);
        QCOMPARE(column(list, 0), (QStringList{"gamma.wav", "beta.wav", "alpha.wav"}));
        clickHeader(list, 6);
        QCOMPARE(column(list, 6), (QStringList{"100", "200", "300"}));
        // A rebuild comes back in scan order and keeps the flag.
        form.RefreshJobList();
        QCOMPARE(column(list, 0), (QStringList{"beta.wav", "alpha.wav", "gamma.wav"}));
        clickHeader(list, 6);
        QCOMPARE(column(list, 6), (QStringList{"300", "200", "100"}));
    }

    void numericSortOrdersBySize() {
        workspace->writeConfig({"ShowTips=0", "InputDir1=C:\\Dict\\Type1"});
        workspace->addDriveFile("c/Dict/Type1/a.wav", 10 * 1024);
        workspace->addDriveFile("c/Dict/Type1/b.wav", 2 * 1024);
        workspace->addDriveFile("c/Dict/Type1/c.wav", 100 * 1024);
        TfrmMainForm& form = start();
        ui::JobListView& list = *form.ListView1();
        clickHeader(list, 1);
        QCOMPARE(column(list, 1), (QStringList{"2", "10", "100"}));
    }

    void sortKeepsTheSelection() {
        workspace->writeConfig({"ShowTips=0", "InputDir1=C:\\Dict\\Type1"});
        for (const char* name : {"c.wav", "a.wav", "b.wav"})
            workspace->addDriveFile(std::string("c/Dict/Type1/") + name, 1);
        TfrmMainForm& form = start();
        ui::JobListView& list = *form.ListView1();
        QTreeWidgetItem* selected = nullptr;
        for (int i = 0; i < list.jobCount(); ++i) {
            if (list.topLevelItem(i)->text(0) == "b.wav")
                selected = list.topLevelItem(i);
        }
        QVERIFY(selected != nullptr);
        selected->setSelected(true);
        clickHeader(list, 0);
        QCOMPARE(column(list, 0), (QStringList{"a.wav", "b.wav", "c.wav"}));
        QCOMPARE(list.selectedJobIndexes(), std::vector<int>{1});
    }

    void aNonNumericSizeAbandonsTheSort() {
        workspace->writeConfig({"ShowTips=0", "InputDir1=C:\\Dict\\Type1"});
        workspace->addDriveFile("c/Dict/Type1/b.wav", 1);
        workspace->addDriveFile("c/Dict/Type1/a.wav", 1);
        TfrmMainForm& form = start();
        ui::JobListView& list = *form.ListView1();
        const QStringList before = column(list, 0);
        list.setJobCell(0, 1, "many");
        clickHeader(list, 1);
        QCOMPARE(fakePrompts->messages.size(), 1);
        QVERIFY2(fakePrompts->messages[0].text.contains("many"),
                 qPrintable(fakePrompts->messages[0].text));
        QCOMPARE(column(list, 0), before);
    }
};

QTEST_MAIN(TestJobList)
#include "tst_job_list.moc"
