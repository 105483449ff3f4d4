// The main window: start-up from a fresh or saved configuration, the command table (menus,
// toolbar, pop-up menu), the list's columns, the status bar and closing.
#include "ui/ApplicationWindows.h"
#include "ui/Captions.h"
#include "ui/DocumentViewers.h"
#include "ui/GridForm.h"
#include "ui/JobListView.h"
#include "ui/Launcher.h"
#include "ui/MainForm.h"
#include "ui/PauseForm.h"
#include "ui/ProgressForm.h"
#include "ui/SettingsForm.h"
#include "ui/StatusPanels.h"
#include "ui/TipsForm.h"
#include "ui/WindowPlacement.h"

#include "ui_test/FakePrompts.h"
#include "ui_test/Workspace.h"

#include <QAction>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>

#include <memory>
#include <stdexcept>

using ui::Command;
using ui::TfrmMainForm;

namespace {

// One entry of a menu or toolbar as the user sees it; an empty name is a separator.
struct Entry {
    QString name;
    QString text;
};

QList<Entry> entriesOf(const QList<QAction*>& actions) {
    QList<Entry> entries;
    for (const QAction* action : actions)
        entries.append(action->isSeparator() ? Entry{}
                                             : Entry{action->objectName(), action->text()});
    return entries;
}

QMenu* topMenu(TfrmMainForm& form, const QString& name) {
    return form.menuBar()->findChild<QMenu*>(name);
}

QAction* actionNamed(TfrmMainForm& form, const QString& name) {
    return form.findChild<QAction*>(name);
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ui_test::Workspace> workspace;
    std::unique_ptr<ui_test::FakePrompts> fakePrompts;

    std::unique_ptr<ui::ApplicationWindows> startProgram() {
        auto windows = std::make_unique<ui::ApplicationWindows>();
        windows->frmMainForm().show();
        return windows;
    }

private slots:
    void init() {
        workspace = std::make_unique<ui_test::Workspace>();
        fakePrompts = std::make_unique<ui_test::FakePrompts>();
    }

    void cleanup() {
        fakePrompts.reset();
        workspace.reset();
    }

    void freshStartWritesTheDirectoryTableOnly() {
        auto windows = startProgram();
        const auto entries = workspace->configEntries();
        QCOMPARE(entries.size(), std::size_t(404));
        const char* bases[] = {"InputDir", "OutputDir", "UserID", "Loc"};
        for (int row = 1; row <= 101; ++row) {
            for (int column = 0; column < 4; ++column) {
                const auto& [key, value] = entries[(row - 1) * 4 + column];
                const std::string expectedKey = bases[column] + std::to_string(row);
                QVERIFY2(key == expectedKey, (key + " instead of " + expectedKey).c_str());
                if (row >= 10)
                    QVERIFY2(value == " ", (key + " should hold one blank").c_str());
            }
        }
        QCOMPARE(entries[0].second, std::string("C:\\Dict\\Type1"));
        QCOMPARE(entries[1].second, std::string("C:\\Convert\\TSP\\type1"));
        QCOMPARE(entries[34].second, std::string("1009"));
        QCOMPARE(entries[35].second, std::string("00"));
    }

    void freshStartOpensAtTheDefaultGeometry() {
        auto windows = startProgram();
        TfrmMainForm& form = windows->frmMainForm();
        QCOMPARE(form.geometry(), QRect(200, 200, 500, 307));
        QCOMPARE(form.windowTitle(), QStringLiteral("Quorvel Import Utility"));
    }

    void freshStartShowsTheTipsAndDefaults() {
        auto windows = startProgram();
        TfrmMainForm& form = windows->frmMainForm();
        QCOMPARE(fakePrompts->dialogTitles,
                 QStringList{QStringLiteral("Quorvel Import Utility Tips")});
        QCOMPARE(windows->frmSettings().cboFormat()->currentIndex(), 3);
        QCOMPARE(windows->frmSettings().cboPriority()->currentIndex(), 0);
        QCOMPARE(form.StatusBar1()->panelText(2), QStringLiteral("Format:  Original"));
        QCOMPARE(form.OutputFormatCode, uint16_t(7));
        QCOMPARE(form.TargetWaveFormat.samplesPerSec, 8000u);
        QCOMPARE(form.TargetWaveFormat.avgBytesPerSec, 16000u);
        QCOMPARE(form.TargetWaveFormat.blockAlign, uint16_t(2));
        QVERIFY(!form.Timer1()->isActive());
        QCOMPARE(form.StatusBar1()->panelText(0), QStringLiteral("Total Files:  0"));
    }

    void savedGeometryComesBack() {
        {
            auto windows = startProgram();
            windows->frmMainForm().setGeometry(130, 90, 640, 420);
            QVERIFY(windows->frmMainForm().close());
        }
        const auto keys = workspace->configMap();
        QCOMPARE(keys.at("Height"), std::string("420"));
        QCOMPARE(keys.at("Width"), std::string("640"));
        QCOMPARE(keys.at("Top"), std::string("90"));
        QCOMPARE(keys.at("Left"), std::string("130"));

        auto again = startProgram();
        QCOMPARE(again->frmMainForm().geometry(), QRect(130, 90, 640, 420));
    }

    void exitSavesTheGeometryLikeClosing() {
        auto windows = startProgram();
        TfrmMainForm& form = windows->frmMainForm();
        form.setGeometry(210, 220, 555, 333);
        actionNamed(form, "mnuExit")->trigger();
        QVERIFY(!form.isVisible());
        const auto keys = workspace->configMap();
        QCOMPARE(keys.at("Height"), std::string("333"));
        QCOMPARE(keys.at("Width"), std::string("555"));
        QCOMPARE(keys.at("Top"), std::string("220"));
        QCOMPARE(keys.at("Left"), std::string("210"));
    }

    void storedSettingsReachTheWindow_data() {
        QTest::addColumn<QString>("voxFormat");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("panel2");
        QTest::addColumn<int>("formatCode");
        QTest::newRow("PCM") << "0" << 0 << "Format:  PCM 8 KHz" << 7;
        QTest::newRow("ADPCM") << "1" << 1 << "Format:  ADPCM 8 KHz" << 23;
        QTest::newRow("WAV") << "2" << 2 << "Format:  WAV" << 7;
        QTest::newRow("Original") << "3" << 3 << "Format:  Original" << 7;
        QTest::newRow("out of range") << "9" << -1 << "Format:  Original" << 7;
        QTest::newRow("not a number") << "abc" << 3 << "Format:  Original" << 7;
    }

    void storedSettingsReachTheWindow() {
        QFETCH(QString, voxFormat);
        QFETCH(int, selected);
        QFETCH(QString, panel2);
        QFETCH(int, formatCode);
        workspace->writeConfig({"VoxFormat=" + voxFormat.toStdString(), "ShowTips=0"});
        auto windows = startProgram();
        QCOMPARE(windows->frmSettings().cboFormat()->currentIndex(), selected);
        QCOMPARE(windows->frmMainForm().StatusBar1()->panelText(2), panel2);
        QCOMPARE(int(windows->frmMainForm().OutputFormatCode), formatCode);
        QVERIFY2(fakePrompts->dialogs.isEmpty(), "ShowTips=0 must not show the tips");
    }

    void schedulerStartsWithTheStoredFlag() {
        workspace->writeConfig({"EnableSched=1", "ShowTips=0", "InputDir1=C:\\Dict\\Type1"});
        auto windows = startProgram();
        TfrmMainForm& form = windows->frmMainForm();
        QVERIFY(form.Timer1()->isActive());
        QCOMPARE(form.Timer1()->interval(), 60000);
        QCOMPARE(form.settings.ConvertInterval, 30);
        QCOMPARE(form.StatusBar1()->panelText(1),
                 QStringLiteral("Next scheduled conversion in 30 min"));
    }

    void timerTicksCountDownAndStartARun() {
        workspace->writeConfig({"EnableSched=1", "ConvertInterval=2", "ShowTips=0"});
        auto windows = startProgram();
        TfrmMainForm& form = windows->frmMainForm();
        int runs = 0;
        form.installCommand(Command::ConvertAll, [&] { ++runs; });
        form.Timer1Timer();
        QCOMPARE(form.StatusBar1()->panelText(1),
                 QStringLiteral("Next scheduled conversion in 1 min"));
        QCOMPARE(runs, 0);
        form.Timer1Timer();
        QCOMPARE(form.StatusBar1()->panelText(1),
                 QStringLiteral("Next scheduled conversion in 2 min"));
        QCOMPARE(runs, 1);
        QCOMPARE(form.scheduler().MinutesElapsed(), 0);
        form.Timer1Timer();
        QCOMPARE(form.StatusBar1()->panelText(1),
                 QStringLiteral("Next scheduled conversion in 1 min"));
        form.settings.EnableSched = false;
        form.Timer1Timer();
        QCOMPARE(form.StatusBar1()->panelText(1), QString());
        QCOMPARE(form.scheduler().MinutesElapsed(), 0);
    }

    void menuBarHoldsTheCommands_data() {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("Run")
            << "mnuRun"
            << "&Run"
            << QStringList{"mnuConvertAll", "mnuConvertSelect", "", "CreateReport1", "", "mnuExit"}
            << QStringList{"Convert &All Files",
                           "Convert &Selected Files",
                           "",
                           "Create &Report",
                           "",
                           "E&xit"};
        QTest::newRow("Tools") << "mnuTools"
                               << "&Tools" << QStringList{"mnuDir",    "mnuSettings",    "",
                                                          "ErrorLog1", "ClearErrorLog1", "",
                                                          "mnuRefresh"}
                               << QStringList{"&Directories",    "&Settings",        "",
                                              "View &Error Log", "&Clear Error Log", "",
                                              "Refres&h"};
        QTest::newRow("Help") << "mnuHelp"
                              << "&Help"
                              << QStringList{"mnuContents", "", "ShowTips1", "", "mnuAbout"}
                              << QStringList{"&Contents", "", "&Show Tips", "", "&About"};
    }

    void menuBarHoldsTheCommands() {
        QFETCH(QString, menu);
        QFETCH(QString, title);
        QFETCH(QStringList, names);
        QFETCH(QStringList, texts);
        TfrmMainForm form;
        QMenu* found = topMenu(form, menu);
        QVERIFY2(found != nullptr, qPrintable(menu));
        QCOMPARE(found->title(), title);
        const QList<Entry> entries = entriesOf(found->actions());
        QCOMPARE(entries.size(), names.size());
        for (int i = 0; i < entries.size(); ++i) {
            QCOMPARE(entries[i].name, names[i]);
            QCOMPARE(entries[i].text, texts[i]);
        }
    }

    void menuBarOrder() {
        TfrmMainForm form;
        QStringList titles;
        for (const QAction* action : form.menuBar()->actions())
            titles << action->text();
        QCOMPARE(titles, (QStringList{"&Run", "&Tools", "&Help"}));
    }

    void commandsWithoutTheirModuleAreDisabled_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("enabled");
        const QStringList disabled = {"mnuConvertAll",   "mnuConvertSelect", "CreateReport1",
                                      "mnuDir",          "mnuSettings",      "ErrorLog1",
                                      "ClearErrorLog1",  "popConvertAll",    "popConvertSelected",
                                      "CreateReport2",   "tbtnConvertAll",   "tbtnConvertSelected",
                                      "tbtnDirectories", "tbtnOptions"};
        const QStringList enabled = {"mnuExit",  "mnuRefresh", "mnuContents", "ShowTips1",
                                     "mnuAbout", "popRefresh", "tbtnHelp",    "tbtnAbout"};
        for (const QString& name : disabled)
            QTest::newRow(qPrintable(name)) << name << false;
        for (const QString& name : enabled)
            QTest::newRow(qPrintable(name)) << name << true;
    }

    void commandsWithoutTheirModuleAreDisabled() {
        QFETCH(QString, action);
        QFETCH(bool, enabled);
        TfrmMainForm form;
        QAction* found = actionNamed(form, action);
        QVERIFY2(found != nullptr, qPrintable(action));
        QCOMPARE(found->isEnabled(), enabled);
    }

    void installingACommandEnablesEveryPlaceItAppears() {
        TfrmMainForm form;
        int runs = 0;
        form.installCommand(Command::ConvertAll, [&] { ++runs; });
        for (const char* name : {"mnuConvertAll", "popConvertAll", "tbtnConvertAll"}) {
            QAction* action = actionNamed(form, name);
            QVERIFY2(action->isEnabled(), name);
            action->trigger();
        }
        QCOMPARE(runs, 3);
        QVERIFY(!actionNamed(form, "mnuConvertSelect")->isEnabled());
        form.installCommand(Command::ConvertAll, {});
        QVERIFY(!actionNamed(form, "tbtnConvertAll")->isEnabled());
    }

    void errorLogAndReportSlotsRunTheirInstalledHandlers() {
        TfrmMainForm form;
        QStringList calls;
        form.installCommand(Command::ViewErrorLog, [&] { calls << "view"; });
        form.installCommand(Command::ClearErrorLog, [&] { calls << "clear"; });
        form.installCommand(Command::CreateReport, [&] { calls << "report"; });
        actionNamed(form, "ErrorLog1")->trigger();
        actionNamed(form, "ClearErrorLog1")->trigger();
        actionNamed(form, "CreateReport1")->trigger();
        actionNamed(form, "CreateReport2")->trigger();
        QCOMPARE(calls, (QStringList{"view", "clear", "report", "report"}));
    }

    void aFailingHandlerIsShownAndTheProgramGoesOn() {
        TfrmMainForm form;
        form.installCommand(Command::ConvertAll,
                            [] { throw std::runtime_error("Unable to write to .\\import.ini"); });
        actionNamed(form, "mnuConvertAll")->trigger();
        QCOMPARE(fakePrompts->messages.size(), 1);
        QCOMPARE(fakePrompts->messages[0].text, QStringLiteral("Unable to write to .\\import.ini"));
        QCOMPARE(fakePrompts->messages[0].caption, ui::kApplicationTitle);
        QCOMPARE(fakePrompts->messages[0].icon, ui::PromptIcon::Error);
        actionNamed(form, "mnuConvertAll")->trigger();
        QCOMPARE(fakePrompts->messages.size(), 2);
    }

    void toolBarButtonsAndHints() {
        TfrmMainForm form;
        QToolBar* bar = form.ToolBar1();
        QCOMPARE(bar->objectName(), QStringLiteral("ToolBar1"));
        QCOMPARE(bar->height(), 29);
        const QList<QAction*> actions = bar->actions();
        const QStringList hints = {"",
                                   "Import All Files",
                                   "Import Selected Files",
                                   "",
                                   "Directories",
                                   "Options",
                                   "",
                                   "Help",
                                   "About"};
        QCOMPARE(actions.size(), hints.size());
        for (int i = 0; i < actions.size(); ++i) {
            if (hints[i].isEmpty()) {
                QVERIFY2(actions[i]->isSeparator(), qPrintable(QString::number(i)));
                continue;
            }
            QCOMPARE(actions[i]->toolTip(), hints[i]);
            QCOMPARE(actions[i]->statusTip(), hints[i]);
            QVERIFY2(!actions[i]->icon().isNull(), qPrintable(hints[i]));
        }
    }

    void toolBarButtonsShareTheMenuImages() {
        TfrmMainForm form;
        const QPair<const char*, int> images[] = {
            {"tbtnConvertAll", 3},  {"tbtnConvertSelected", 4},
            {"tbtnDirectories", 5}, {"tbtnOptions", 6},
            {"tbtnHelp", 7},        {"tbtnAbout", 8}};
        for (const auto& [name, image] : images) {
            const QImage shown = actionNamed(form, name)->icon().pixmap(16, 16).toImage();
            const QImage expected = form.ImageList1().image(image).pixmap(16, 16).toImage();
            QVERIFY2(shown == expected, name);
        }
    }

    void aboutButtonShowsTheAboutBox() {
        TfrmMainForm form;
        actionNamed(form, "tbtnAbout")->trigger();
        QCOMPARE(fakePrompts->messages.size(), 1);
        QCOMPARE(fakePrompts->messages[0].caption, QStringLiteral("About Quorvel Import Utility"));
        QCOMPARE(fakePrompts->messages[0].icon, ui::PromptIcon::Information);
        QCOMPARE(fakePrompts->messages[0].buttons, ui::PromptButtons::Ok);
        QVERIFY(fakePrompts->messages[0].text.startsWith("Quorvel Import Utility\n"));
    }

    void popupMenuHoldsItsCommands() {
        TfrmMainForm form;
        const QList<Entry> entries = entriesOf(form.PopupMenu1()->actions());
        const QStringList names = {"popConvertAll", "popConvertSelected", "", "CreateReport2", "",
                                   "popRefresh"};
        const QStringList texts = {
            "Convert &All Files", "Convert &Selected Files", "", "Create &Report", "", "Refres&h"};
        QCOMPARE(entries.size(), names.size());
        for (int i = 0; i < entries.size(); ++i) {
            QCOMPARE(entries[i].name, names[i]);
            QCOMPARE(entries[i].text, texts[i]);
        }
        QCOMPARE(form.ListView1()->contextMenuPolicy(), Qt::CustomContextMenu);
    }

    void listColumns_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("header");
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("right");
        QTest::newRow("Input File") << 0 << "Input File" << 175 << false;
        QTest::newRow("Size (KB) in") << 1 << "Size (KB)" << 55 << true;
        QTest::newRow("Output File") << 2 << "Output File" << 175 << false;
        QTest::newRow("Size (KB) out") << 3 << "Size (KB)" << 55 << true;
        QTest::newRow("Input Dir") << 4 << "Input Dir" << 100 << false;
        QTest::newRow("Output Dir") << 5 << "Output Dir" << 100 << false;
        QTest::newRow("User ID") << 6 << "User ID" << 60 << false;
        QTest::newRow("Loc") << 7 << "Loc" << 40 << false;
    }

    void listColumns() {
        QFETCH(int, column);
        QFETCH(QString, header);
        QFETCH(int, width);
        QFETCH(bool, right);
        TfrmMainForm form;
        ui::JobListView* list = form.ListView1();
        QCOMPARE(list->columnCount(), 8);
        QCOMPARE(list->headerItem()->text(column), header);
        // The designed width is the least; the header text must never be cut.
        QVERIFY(list->columnWidth(column) >= width);
        QVERIFY(list->columnWidth(column) >=
                list->header()->fontMetrics().horizontalAdvance(header));
        const auto alignment = Qt::Alignment(list->headerItem()->textAlignment(column));
        QCOMPARE(bool(alignment & Qt::AlignRight), right);
    }

    void listIsAReadOnlyMultiSelectReport() {
        TfrmMainForm form;
        ui::JobListView* list = form.ListView1();
        QCOMPARE(list->objectName(), QStringLiteral("ListView1"));
        QCOMPARE(list->selectionMode(), QAbstractItemView::ExtendedSelection);
        QCOMPARE(list->selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(list->editTriggers(), QAbstractItemView::NoEditTriggers);
        QVERIFY(!list->rootIsDecorated());
        QCOMPARE(list->iconSize(), QSize(16, 16));
        QVERIFY(list->header()->sectionsClickable());
    }

    void statusBarPanels() {
        TfrmMainForm form;
        ui::StatusPanels* panels = form.StatusBar1();
        QCOMPARE(panels->objectName(), QStringLiteral("StatusBar1"));
        const int widths[] = {100, 200, 170, 100};
        const QString texts[] = {"Total Files:", "", "Vox Format:  ", ""};
        for (int i = 0; i < 4; ++i) {
            QVERIFY(panels->panel(i)->width() >= widths[i]);
            QCOMPARE(panels->panelText(i), texts[i]);
        }
    }

    void droppedFilesReachTheInstalledHandler() {
        TfrmMainForm form;
        QMimeData files;
        files.setUrls({QUrl::fromLocalFile("/in/a b.wav"), QUrl::fromLocalFile("/in/C.DSS")});
        const QPoint at(50, 50);
        QDragEnterEvent refused(at, Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&form, &refused);
        QVERIFY2(!refused.isAccepted(), "without a handler drops are refused");

        QStringList received;
        form.setDropHandler([&](const QStringList& paths) { received = paths; });
        QDragEnterEvent enter(at, Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&form, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&form, &drop);
        QCOMPARE(received, (QStringList{"/in/a b.wav", "/in/C.DSS"}));
    }

    void restoreRequestUnminimisesTheWindow() {
        workspace->writeConfig({"ShowTips=0"});
        auto windows = startProgram();
        TfrmMainForm& form = windows->frmMainForm();
        form.showMinimized();
        QVERIFY(form.isMinimized());
        form.restoreFromAnotherStart();
        QVERIFY(!form.isMinimized());
        QVERIFY(form.isVisible());
    }

    void placementOnScreens_data() {
        QTest::addColumn<QRect>("stored");
        QTest::addColumn<QRect>("placed");
        const QRect on(200, 200, 500, 307);
        QTest::newRow("on the screen") << on << on;
        QTest::newRow("partly right of the screen")
            << QRect(1500, 100, 500, 300) << QRect(1500, 100, 500, 300);
        QTest::newRow("on the second screen")
            << QRect(2100, 50, 500, 300) << QRect(2100, 50, 500, 300);
        QTest::newRow("above every screen")
            << QRect(200, -300, 500, 307) << QRect(200, 0, 500, 307);
        QTest::newRow("left of every screen")
            << QRect(-5000, 200, 500, 307) << QRect(0, 200, 500, 307);
        QTest::newRow("below every screen")
            << QRect(300, 5000, 500, 307) << QRect(300, 1080 - 307, 500, 307);
        QTest::newRow("only a sliver on the screen")
            << QRect(3180, 100, 500, 300) << QRect(1920 - 500, 100, 500, 300);
        QTest::newRow("larger than the screen")
            << QRect(-100, -100, 4000, 3000) << QRect(0, 0, 1920, 1080);
    }

    void placementOnScreens() {
        QFETCH(QRect, stored);
        QFETCH(QRect, placed);
        const QList<QRect> screens = {QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
        QCOMPARE(ui::placeOnScreens(stored, screens), placed);
    }

    void aPositionOffEveryScreenIsPulledBack() {
        workspace->writeConfig({"ShowTips=0", "Left=-4000", "Top=-3000"});
        auto windows = startProgram();
        const QRect shown = windows->frmMainForm().geometry();
        QVERIFY2(windows->frmMainForm().screen()->availableGeometry().contains(shown.topLeft()),
                 qPrintable(QStringLiteral("%1,%2").arg(shown.x()).arg(shown.y())));
        QCOMPARE(shown.size(), QSize(500, 307));
    }

    void repeatedStartsDoNotMoveTheWindow() {
        workspace->writeConfig({"ShowTips=0", "Left=300", "Top=250", "Width=520", "Height=330"});
        for (int start = 0; start < 3; ++start) {
            auto windows = startProgram();
            QCOMPARE(windows->frmMainForm().geometry(), QRect(300, 250, 520, 330));
            QVERIFY(windows->frmMainForm().close());
        }
        QCOMPARE(workspace->configMap().at("Top"), std::string("250"));
    }

    void statusPanelsWidenToTheirTexts_data() {
        QTest::addColumn<int>("panel");
        QTest::addColumn<QString>("text");
        QTest::newRow("total") << 0 << "Total Files:  2009";
        QTest::newRow("countdown") << 1 << "Next scheduled conversion in -2147483648 min";
        QTest::newRow("format") << 2 << "Format:  ADPCM 8 KHz";
    }

    void statusPanelsWidenToTheirTexts() {
        QFETCH(int, panel);
        QFETCH(QString, text);
        TfrmMainForm form;
        form.show();
        QLabel* label = form.StatusBar1()->panel(panel);
        form.StatusBar1()->setPanelText(panel, text);
        const int textWidth = label->fontMetrics().horizontalAdvance(text);
        QVERIFY2(label->contentsRect().width() >= textWidth,
                 qPrintable(
                     QStringLiteral("%1 < %2").arg(label->contentsRect().width()).arg(textWidth)));
        // The panels still lie side by side.
        for (int i = 1; i < 4; ++i)
            QVERIFY(form.StatusBar1()->panel(i)->x() >=
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

    void theSortColumnShowsItsArrow() {
        workspace->writeConfig({"ShowTips=0", "InputDir1=C:\\In"});
        workspace->addDriveFile("c/In/b.wav", 10);
        workspace->addDriveFile("c/In/a.wav", 10);
        auto windows = startProgram();
        QHeaderView* header = windows->frmMainForm().ListView1()->header();
        QVERIFY(header->isSortIndicatorShown());
        QCOMPARE(header->sortIndicatorSection(), -1);
        auto click = [&](int section) {
            const int x = header->sectionViewportPosition(section) + 10;
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, 5));
        };
        click(0);
        QCOMPARE(header->sortIndicatorSection(), 0);
        QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
        click(0);
        QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
        click(6);
        QCOMPARE(header->sortIndicatorSection(), 6);
        QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
    }

    void aFailedSortKeepsTheArrowWhereItWas() {
        workspace->writeConfig({"ShowTips=0", "InputDir1=C:\\In"});
        workspace->addDriveFile("c/In/b.wav", 10);
        workspace->addDriveFile("c/In/a.wav", 10);
        auto windows = startProgram();
        ui::JobListView* list = windows->frmMainForm().ListView1();
        windows->frmMainForm().ListView1ColumnClick(0);
        list->setJobCell(0, 1, QStringLiteral("n/a"));
        QVERIFY_THROWS_EXCEPTION(std::exception, windows->frmMainForm().ListView1ColumnClick(1));
        QCOMPARE(list->header()->sortIndicatorSection(), 0);
        QCOMPARE(list->header()->sortIndicatorOrder(), Qt::AscendingOrder);
    }

    void firstStartWithoutInputFoldersSaysSo() {
        auto windows = startProgram();
        const QString hint =
            QStringLiteral("No input folder exists. Set them up with Tools > Directories.");
        QCOMPARE(windows->frmMainForm().StatusBar1()->panelText(3), hint);
        QCOMPARE(windows->frmMainForm().ListView1()->emptyListText(), hint);
        workspace->addDriveFolder("c/Dict/Type4");
        windows->frmMainForm().RefreshJobList();
        QCOMPARE(windows->frmMainForm().StatusBar1()->panelText(3), QString());
        QCOMPARE(windows->frmMainForm().ListView1()->emptyListText(), QString());
    }

    void everyCommandOfTheRunningProgramIsEnabled() {
        workspace->writeConfig({"ShowTips=0"});
        auto windows = startProgram();
        TfrmMainForm& form = windows->frmMainForm();
        QList<QAction*> actions = form.ToolBar1()->actions() + form.PopupMenu1()->actions();
        for (QAction* menu : form.menuBar()->actions())
            actions += menu->menu()->actions();
        int commands = 0;
        for (const QAction* action : actions) {
            if (action->isSeparator())
                continue;
            ++commands;
            QVERIFY2(action->isEnabled(), qPrintable(action->objectName()));
        }
        QCOMPARE(commands, 22); // 12 menu items, 6 buttons, 4 pop-up items
        QCOMPARE(form.findChild<QAction*>("mnuRefresh")->shortcut(),
                 QKeySequence(QKeySequence::Refresh));
    }

    void helpFallsBackToOurOwnViewer() {
        ui::setOpenHandler([](const std::string&) { return false; });
        TfrmMainForm form;
        form.findChild<QAction*>("mnuContents")->trigger();
        ui::setOpenHandler({});
        auto* viewer = form.findChild<ui::HelpViewer*>();
        QVERIFY(viewer != nullptr);
        QVERIFY(viewer->isVisible());
        QVERIFY(viewer->browser()->toPlainText().contains(QStringLiteral("Import")));
        QVERIFY(viewer->browser()->isReadOnly());
        viewer->close();
        QTRY_VERIFY(form.findChild<ui::HelpViewer*>() == nullptr);
    }

    void allWindowsExistBeforeTheFirstShowing() {
        ui::ApplicationWindows windows;
        QCOMPARE(windows.frmMainForm().objectName(), QStringLiteral("frmMainForm"));
        const ui::CompanionWindows& companions = windows.frmMainForm().companions();
        QCOMPARE(companions.progress, &windows.frmProgress());
        QCOMPARE(companions.settings, &windows.frmSettings());
        QCOMPARE(companions.grid, &windows.frmGrid());
        QCOMPARE(companions.pause, &windows.frmPause());
        QCOMPARE(companions.tips, &windows.frmTips());
        QVERIFY(!windows.frmProgress().isVisible());
        QVERIFY(!windows.frmSettings().isVisible());
        QVERIFY(!windows.frmGrid().isVisible());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_main_window.moc"
