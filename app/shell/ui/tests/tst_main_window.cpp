// The main window: start-up from a fresh or saved configuration, closing, the command table,
// the job list and status bar as the scan fills them, sorting, and the scheduler's wiring.
#include "ui/DocumentViewers.h"
#include "ui/GridForm.h"
#include "ui/JobListView.h"
#include "ui/Launcher.h"
#include "ui/MiddleElidedLabel.h"
#include "ui/SettingsForm.h"
#include "ui/WindowPlacement.h"

#include "jobs/input_folders.h"
#include "ui_test/Program.h"

#include <QComboBox>
#include <QEnterEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>

#include <optional>
#include <stdexcept>

using ui::Command;
using ui::TfrmMainForm;

namespace {

QStringList column(const ui::JobListView& list, int column) {
    QStringList texts;
    for (int i = 0; i < list.jobCount(); ++i)
        texts << QString::fromStdString(list.jobRow(i).columns[column]);
    return texts;
}

void clickHeader(const ui::JobListView& list, int section) {
    QHeaderView* header = list.header();
    const int x = header->sectionViewportPosition(section) + header->sectionSize(section) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
}

// Every item of the menu bar, the toolbar and the pop-up menu that is not a separator.
QList<QAction*> commandItems(const TfrmMainForm& form) {
    QList<QAction*> items = form.ToolBar1()->actions() + form.PopupMenu1()->actions();
    for (const QAction* menu : form.menuBar()->actions())
        items += menu->menu()->actions();
    items.removeIf([](const QAction* item) { return item->isSeparator(); });
    return items;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private:
    std::optional<ui_test::Program> program;

    TfrmMainForm& form() { return program->form(); }

private slots:
    void init() { program.emplace(); }
    void cleanup() { program.reset(); }

    void aFreshStartWritesTheTableAndOpensWithTheDefaults() {
        TfrmMainForm& form = program->startAsIs();
        QCOMPARE(program->workspace.configEntries().size(), std::size_t(404));
        // Where it was designed, as wide as the status panels need where that is more.
        QVERIFY(form.minimumWidth() > 500);
        QCOMPARE(form.geometry(), QRect(200, 200, form.minimumWidth(), 307));
        QCOMPARE(form.windowTitle(), QStringLiteral("Quorvel Import Utility"));
        QCOMPARE(program->prompts.dialogTitles, QStringList{"Quorvel Import Utility Tips"});
        QCOMPARE(program->panel(0), QStringLiteral("Total Files:  0"));
        QCOMPARE(program->panel(2), QStringLiteral("Format:  Original"));
        QVERIFY(!form.Timer1()->isActive());
        // None of the example folders exists: the window says where to set them up.
        const QString hint = QStringLiteral(
            "No input folder exists yet. Drop dictation files here to create \"C:\\Dict\\Type1\" "
            "and import them, or set up the folders with Tools > Directories.");
        QCOMPARE(program->panel(3), hint);
        QCOMPARE(form.ListView1()->emptyListText(), hint);
        program->workspace.addDriveFolder("c/Dict/Type4");
        form.RefreshJobList();
        QCOMPARE(program->panel(3), QString());
        QCOMPARE(form.ListView1()->emptyListText(), QString());
    }

    void storedSettingsReachTheWindow_data() {
        QTest::addColumn<QString>("voxFormat");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("panel2");
        QTest::addColumn<int>("formatCode");
        QTest::newRow("ADPCM") << "1" << 1 << "Format:  ADPCM 8 KHz" << 23;
        QTest::newRow("out of range") << "9" << -1 << "Format:  Original" << 7;
    }

    void storedSettingsReachTheWindow() {
        QFETCH(QString, voxFormat);
        QFETCH(int, selected);
        QFETCH(QString, panel2);
        QFETCH(int, formatCode);
        TfrmMainForm& form = program->start({"VoxFormat=" + voxFormat.toStdString(), "Priority=1",
                                             "EnableSched=1", "InputDir1=C:\\Dict\\Type1"});
        QCOMPARE(program->windows->frmSettings().cboFormat()->currentIndex(), selected);
        QCOMPARE(program->windows->frmSettings().cboPriority()->currentIndex(), 1);
        QCOMPARE(program->panel(2), panel2);
        QCOMPARE(int(form.OutputFormatCode), formatCode);
        QVERIFY(program->prompts.dialogs.isEmpty());
        // The scheduler runs from the start with the default interval.
        QVERIFY(form.Timer1()->isActive());
        QCOMPARE(form.Timer1()->interval(), 60000);
        QCOMPARE(program->panel(1), QStringLiteral("Next scheduled conversion in 30 min"));
    }

    // Exit closes like the close box: the geometry is stored, and the window opens there again
    // at every later start without creeping.
    void theWindowOpensWhereItWasClosed() {
        program->start();
        form().setGeometry(130, 90, 640, 420);
        program->trigger("mnuExit");
        QVERIFY(!form().isVisible());
        const auto keys = program->workspace.configMap();
        QCOMPARE((QStringList{QString::fromStdString(keys.at("Left")),
                              QString::fromStdString(keys.at("Top")),
                              QString::fromStdString(keys.at("Width")),
                              QString::fromStdString(keys.at("Height"))}),
                 (QStringList{"130", "90", "640", "420"}));
        for (int start = 0; start < 2; ++start) {
            program->startAsIs();
            QCOMPARE(form().geometry(), QRect(130, 90, 640, 420));
            QVERIFY(form().close());
        }
    }

    void aPositionOffEveryScreenIsPulledBack() {
        program->start({"Left=-4000", "Top=-3000"});
        const QRect shown = form().frameGeometry();
        QVERIFY(form().screen()->availableGeometry().contains(shown));
        QCOMPARE(form().size(), QSize(form().minimumWidth(), 307));
    }

    // Closed maximized, the window stores its normal place and opens maximized over it; closed
    // normal, it opens normal.
    void aMaximizedWindowOpensMaximized() {
        program->start();
        form().setGeometry(130, 90, 640, 420);
        form().showMaximized();
        QTRY_VERIFY(form().isMaximized());
        program->trigger("mnuExit");
        const auto keys = program->workspace.configMap();
        QCOMPARE((QStringList{QString::fromStdString(keys.at("Left")),
                              QString::fromStdString(keys.at("Top")),
                              QString::fromStdString(keys.at("Width")),
                              QString::fromStdString(keys.at("Height")),
                              QString::fromStdString(keys.at("Maximized"))}),
                 (QStringList{"130", "90", "640", "420", "1"}));
        program->startAsIs();
        QTRY_VERIFY(form().isMaximized());
        QCOMPARE(form().normalGeometry(), QRect(130, 90, 640, 420));
        form().showNormal();
        QTRY_COMPARE(form().geometry(), QRect(130, 90, 640, 420));
        QVERIFY(form().close());
        program->startAsIs();
        QVERIFY(!form().isMaximized());
        QCOMPARE(program->workspace.configMap().at("Maximized"), std::string("0"));
    }

    // At its least width every panel lies within the window; a longer last text is shown
    // shortened, and whole in its tool tip.
    void theStatusPanelsStayWithinTheWindowAtItsLeastWidth() {
        program->start();
        const QString error = "Could not convert " + QString(120, QLatin1Char('x')) + ".dss";
        form().StatusBar1()->setPanelText(3, error);
        form().resize(1, 400);
        QTRY_COMPARE(form().width(), form().minimumWidth());
        const ui::StatusPanels& panels = *form().StatusBar1();
        QTRY_VERIFY(panels.panel(3)->mapTo(&form(), QPoint(panels.panel(3)->width(), 0)).x() <=
                    form().width());
        QCOMPARE(panels.panel(3)->width(), ui::StatusPanels::kPanelWidths[3]);
        auto* last = static_cast<ui::MiddleElidedLabel*>(panels.panel(3));
        QVERIFY(last->shownText() != error && last->shownText().endsWith(".dss"));
        QCOMPARE(last->toolTip(), error);
        form().resize(1600, 400);
        QTRY_VERIFY(last->shownText() == error);
    }

    void placementOnScreens_data() {
        QTest::addColumn<QRect>("stored");
        QTest::addColumn<QRect>("placed");
        QTest::addColumn<QMargins>("frame");
        QTest::newRow("partly right of the screen")
            << QRect(1500, 100, 500, 300) << QRect() << QMargins();
        QTest::newRow("on the second screen") << QRect(2100, 50, 500, 300) << QRect() << QMargins();
        QTest::newRow("above every screen")
            << QRect(200, -300, 500, 307) << QRect(200, 0, 500, 307) << QMargins();
        QTest::newRow("left of every screen")
            << QRect(-5000, 200, 500, 307) << QRect(0, 200, 500, 307) << QMargins();
        QTest::newRow("below every screen")
            << QRect(300, 5000, 500, 307) << QRect(300, 1080 - 307, 500, 307) << QMargins();
        QTest::newRow("only a sliver on the screen")
            << QRect(3180, 100, 500, 300) << QRect(1920 - 500, 100, 500, 300) << QMargins();
        QTest::newRow("larger than the screen")
            << QRect(-100, -100, 4000, 3000) << QRect(0, 0, 1920, 1080) << QMargins();
        // The frame is the client area and the title bar above it, which the user must reach.
        const QMargins frame(4, 24, 4, 4);
        QTest::newRow("frame bottom below the screen")
            << QRect(100, 500, 500, 700) << QRect(100, 376, 500, 700) << frame;
        QTest::newRow("frame taller than the screen")
            << QRect(100, 50, 500, 1200) << QRect(100, 24, 500, 1052) << frame;
        QTest::newRow("title bar above the screen")
            << QRect(300, 10, 500, 300) << QRect(300, 24, 500, 300) << frame;
        QTest::newRow("framed and within the screen")
            << QRect(100, 24, 500, 300) << QRect() << frame;
    }

    void placementOnScreens() {
        QFETCH(QRect, stored);
        QFETCH(QRect, placed);
        QFETCH(QMargins, frame);
        const QList<QRect> screens = {QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
        QCOMPARE(ui::placeOnScreens(stored, screens, frame), placed.isNull() ? stored : placed);
    }

    void everyCommandOfTheRunningProgramIsEnabled() {
        program->start();
        const QList<QAction*> items = commandItems(form());
        QCOMPARE(items.size(), 22); // 12 menu items, 6 buttons, 4 pop-up items
        for (const QAction* item : items)
            QVERIFY2(item->isEnabled(), qPrintable(item->objectName()));
        for (const QAction* button : form().ToolBar1()->actions())
            QCOMPARE(button->toolTip(), button->text());
        QCOMPARE(program->named(form(), "mnuRefresh")->shortcut(),
                 QKeySequence(QKeySequence::Refresh));
    }

    // A button's hint is its tool tip: resting on it must not hide the four status panels.
    void pointingAtAButtonKeepsTheStatusPanels() {
        program->start();
        QWidget* button = form().ToolBar1()->widgetForAction(program->named(form(), "tbtnOptions"));
        QEnterEvent enter(QPointF(4, 4), QPointF(4, 4), button->mapToGlobal(QPointF(4, 4)));
        QCoreApplication::sendEvent(button, &enter);
        QCOMPARE(form().statusBar()->currentMessage(), QString());
        QVERIFY(form().StatusBar1()->panel(0)->isVisible());
        QCOMPARE(button->toolTip(), QStringLiteral("Options"));
    }

    // Until its module installs a handler, a command is disabled wherever it appears.
    void installingACommandEnablesEveryPlaceItAppears() {
        TfrmMainForm form;
        const QStringList places = {"mnuConvertAll", "popConvertAll", "tbtnConvertAll"};
        for (const QString& place : places)
            QVERIFY(!program->named(form, place)->isEnabled());
        QStringList runs;
        form.installCommand(Command::ConvertAll, [&] { runs << "all"; });
        form.installCommand(Command::CreateReport, [&] { runs << "report"; });
        for (const QString& place : places + QStringList{"CreateReport1", "CreateReport2"})
            program->named(form, place)->trigger();
        QCOMPARE(runs, (QStringList{"all", "all", "all", "report", "report"}));
        QVERIFY(!program->named(form, "mnuConvertSelect")->isEnabled());
        form.installCommand(Command::ConvertAll, {});
        QVERIFY(!program->named(form, "tbtnConvertAll")->isEnabled());
    }

    void aFailingHandlerIsShownAndTheProgramGoesOn() {
        TfrmMainForm form;
        form.installCommand(Command::ConvertAll,
                            [] { throw std::runtime_error("Unable to write to .\\import.ini"); });
        program->named(form, "mnuConvertAll")->trigger();
        program->named(form, "mnuConvertAll")->trigger();
        QCOMPARE(program->messageTexts(), QStringList(2, "Unable to write to .\\import.ini"));
        QCOMPARE(program->prompts.messages[0].caption, QStringLiteral("Quorvel Import Utility"));
        QCOMPARE(program->prompts.messages[0].icon, ui::PromptIcon::Error);
    }

    void aboutShowsTheAboutBox() {
        TfrmMainForm form;
        program->named(form, "tbtnAbout")->trigger();
        QCOMPARE(program->prompts.messages.size(), 1);
        QCOMPARE(program->prompts.messages[0].caption,
                 QStringLiteral("About Quorvel Import Utility"));
        QCOMPARE(program->prompts.messages[0].icon, ui::PromptIcon::Information);
        QVERIFY(program->prompts.messages[0].text.startsWith("Quorvel Import Utility\n"));
    }

    void helpFallsBackToOurOwnViewer() {
        program->recordOpened(false);
        TfrmMainForm form;
        program->named(form, "mnuContents")->trigger();
        auto* viewer = form.findChild<ui::HelpViewer*>();
        QVERIFY(viewer != nullptr && viewer->isVisible());
        QVERIFY(viewer->browser()->toPlainText().contains(QStringLiteral("Import")));
        viewer->close();
        QTRY_VERIFY(form.findChild<ui::HelpViewer*>() == nullptr);
    }

    void theScanFillsTheListTheGridAndThePanels() {
        program->start({"InputDir1=C:\\Dict\\Type1", "OutputDir1=C:\\Out1", "UserID1=1001",
                        "Loc1=00", "InputDir2=C:\\Dict\\Type2", "Loc2=07"});
        program->workspace.addDriveFile("c/Dict/Type1/abc.wav", 1000);
        program->workspace.addDriveFile("c/Dict/Type2/ABC.DSS", 2600);
        program->windows->frmGrid().setCell(0, 5, "C:\\Unsaved");
        form().StatusBar1()->setPanelText(3, "an old error");
        program->trigger("popRefresh");
        ui::JobListView& list = *form().ListView1();
        QCOMPARE(column(list, 0), (QStringList{"abc.wav", "ABC.DSS"}));
        QCOMPARE(column(list, 1), (QStringList{"1", "3"}));
        QCOMPARE(column(list, 5), (QStringList{"C:\\Out1", ""}));
        QCOMPARE(column(list, 7), (QStringList{"00", "07"}));
        QVERIFY(Qt::Alignment(list.topLevelItem(0)->textAlignment(1)) & Qt::AlignRight);
        QCOMPARE(list.jobImage(0), 1);
        QCOMPARE(program->panel(0), QStringLiteral("Total Files:  2"));
        QCOMPARE(program->panel(3), QString());
        const ui::TfrmGrid& grid = program->windows->frmGrid();
        QCOMPARE(grid.cell(0, 0), QStringLiteral("Input Directories"));
        QCOMPARE(grid.cell(3, 2), QStringLiteral("07"));
        // Rows after the one that ended the table keep their unsaved edits.
        QCOMPARE(grid.cell(0, 5), QStringLiteral("C:\\Unsaved"));
    }

    // The designed widths are the least: no header text and no panel text is cut.
    void columnsAndPanelsFitTheirTexts_data() {
        QTest::addColumn<int>("panel");
        QTest::addColumn<QString>("text");
        QTest::newRow("total") << 0 << "Total Files:  2009";
        QTest::newRow("countdown") << 1 << "Next scheduled conversion in -2147483648 min";
        QTest::newRow("format") << 2 << "Format:  ADPCM 8 KHz";
    }

    void columnsAndPanelsFitTheirTexts() {
        QFETCH(int, panel);
        QFETCH(QString, text);
        TfrmMainForm form;
        form.show();
        ui::JobListView* list = form.ListView1();
        for (int c = 0; c < shell::kJobColumnCount; ++c) {
            const QString header = list->headerItem()->text(c);
            QVERIFY(list->columnWidth(c) >= shell::kJobColumns[c].width);
            QVERIFY(list->columnWidth(c) >=
                    list->header()->fontMetrics().horizontalAdvance(header));
        }
        QLabel* label = form.StatusBar1()->panel(panel);
        form.StatusBar1()->setPanelText(panel, text);
        QVERIFY(label->contentsRect().width() >= label->fontMetrics().horizontalAdvance(text));
        for (int i = 1; i < ui::StatusPanels::kPanelCount; ++i)
            QVERIFY(form.StatusBar1()->panel(i)->x() >
                    form.StatusBar1()->panel(i - 1)->geometry().right());
        form.StatusBar1()->setPanelText(panel, QString());
        QCOMPARE(label->width(), ui::StatusPanels::kPanelWidths[panel]);
    }

    void theLastColumnTakesTheSpareWidth() {
        TfrmMainForm form;
        form.show();
        form.resize(1400, 400);
        QTRY_VERIFY(form.ListView1()->columnWidth(7) > 300);
        QCOMPARE(form.ListView1()->columnWidth(0), 175);
    }

    // One direction flag for all columns; the arrow shows the last sort; a rebuild comes back
    // in scan order and keeps the flag; the selection follows its rows.
    void headerClicksShareOneDirectionFlag() {
        program->start({"InputDir1=C:\\T1", "UserID1=300", "InputDir2=C:\\T2", "UserID2=100",
                        "InputDir3=C:\\T3", "UserID3=200"});
        for (const char* file : {"c/T1/beta.wav", "c/T2/alpha.wav", "c/T3/gamma.wav"})
            program->workspace.addDriveFile(file, 10);
        form().RefreshJobList();
        ui::JobListView& list = *form().ListView1();
        QHeaderView* header = list.header();
        QCOMPARE(header->sortIndicatorSection(), -1);
        list.topLevelItem(0)->setSelected(true);
        clickHeader(list, 0);
        QCOMPARE(column(list, 0), (QStringList{"alpha.wav", "beta.wav", "gamma.wav"}));
        QCOMPARE(list.selectedJobIndexes(), std::vector<int>{1});
        QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
        clickHeader(list, 0);
        QCOMPARE(column(list, 0), (QStringList{"gamma.wav", "beta.wav", "alpha.wav"}));
        QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
        clickHeader(list, 6);
        QCOMPARE(column(list, 6), (QStringList{"100", "200", "300"}));
        QCOMPARE(header->sortIndicatorSection(), 6);
        form().RefreshJobList();
        QCOMPARE(column(list, 0), (QStringList{"beta.wav", "alpha.wav", "gamma.wav"}));
        clickHeader(list, 6);
        QCOMPARE(column(list, 6), (QStringList{"300", "200", "100"}));
    }

    void aNonNumericSizeAbandonsTheSortWithAMessage() {
        program->start({"InputDir1=C:\\In"});
        program->workspace.addDriveFile("c/In/b.wav", 1);
        program->workspace.addDriveFile("c/In/a.wav", 1);
        form().RefreshJobList();
        ui::JobListView& list = *form().ListView1();
        clickHeader(list, 0);
        list.setJobCell(0, 1, "many");
        clickHeader(list, 1);
        QCOMPARE(program->messageTexts(),
                 QStringList{"'many' is not a valid floating point value"});
        QCOMPARE(column(list, 0), (QStringList{"a.wav", "b.wav"}));
        QCOMPARE(list.header()->sortIndicatorSection(), 0);
    }

    // A scheduled run starts on a fresh scan; a refresh (F5) shows the full interval again but
    // leaves the minute count where it was.
    void theSchedulerRefreshesBeforeItsRunAndF5KeepsTheCount() {
        program->start({"InputDir1=C:\\Dict\\Type1", "EnableSched=1", "ConvertInterval=3"});
        QStringList listedAtRun;
        form().installCommand(Command::ConvertAll,
                              [&] { listedAtRun = column(*form().ListView1(), 0); });
        form().Timer1Timer();
        form().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form()));
        QTest::keyClick(&form(), Qt::Key_F5);
        QCOMPARE(program->panel(1), QStringLiteral("Next scheduled conversion in 3 min"));
        QCOMPARE(form().scheduler().MinutesElapsed(), 1);
        program->workspace.addDriveFile("c/Dict/Type1/new.wav", 10);
        form().Timer1Timer();
        QVERIFY(listedAtRun.isEmpty());
        form().Timer1Timer();
        QCOMPARE(listedAtRun, QStringList{"new.wav"});
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
