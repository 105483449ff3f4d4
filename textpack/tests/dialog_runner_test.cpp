#include "dialog_runner_test.h"

#include "dialog_driver.h"
#include "textpack/Textpack.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <vector>

namespace {

// What a dialog procedure saw, and how it answers commands.
struct Script {
    std::vector<std::pair<TextpackDialogEvent, int>> events;
    std::vector<int> endOnCommands{1, 2};
    bool endDuringInit = false;
    intptr_t initResult = 0;
    std::function<void(TextpackDialog*)> onInit;
};

void scriptedProc(TextpackDialog* dialog, TextpackDialogEvent event, int id, void* context) {
    auto* script = static_cast<Script*>(context);
    script->events.emplace_back(event, id);
    if (event == TEXTPACK_DIALOG_INIT) {
        if (script->onInit) {
            script->onInit(dialog);
        }
        if (script->endDuringInit) {
            TextpackEndDialog(dialog, script->initResult);
        }
        return;
    }
    for (int endId : script->endOnCommands) {
        if (endId == id) {
            TextpackEndDialog(dialog, id);
        }
    }
}

struct Seen {
    QString objectName;
    QString title;
    QWidget* parent = nullptr;
    bool combo100 = false;
    bool combo101 = false;
    bool button1 = false;
    bool button2 = false;
};

Seen inspect(QWidget* modal) {
    Seen seen;
    seen.objectName = modal->objectName();
    seen.title = modal->windowTitle();
    seen.parent = modal->parentWidget();
    seen.combo100 = dialogdriver::comboOf(modal, 100) != nullptr;
    seen.combo101 = dialogdriver::comboOf(modal, 101) != nullptr;
    seen.button1 = dialogdriver::buttonOf(modal, 1) != nullptr;
    seen.button2 = dialogdriver::buttonOf(modal, 2) != nullptr;
    return seen;
}

} // namespace

void DialogRunnerTest::everyTemplateShowsItsControls_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("hasCombos");
    QTest::addColumn<bool>("hasCancel");
    QTest::newRow("VOXOPTIONS") << "VOXOPTIONS" << true << true;
    QTest::newRow("WAVOPTIONS") << "WAVOPTIONS" << true << true;
    QTest::newRow("VOXABOUT") << "VOXABOUT" << false << false;
    QTest::newRow("WAVABOUT") << "WAVABOUT" << false << false;
}

void DialogRunnerTest::everyTemplateShowsItsControls() {
    QFETCH(QString, name);
    QFETCH(bool, hasCombos);
    QFETCH(bool, hasCancel);
    Seen seen;
    dialogdriver::answerNextModal([&seen](QWidget* modal) {
        seen = inspect(modal);
        dialogdriver::press(modal, 1);
    });
    Script script;
    const QByteArray templateName = name.toLatin1();
    QCOMPARE(TextpackRunDialog(templateName.constData(), nullptr, scriptedProc, &script),
             intptr_t{1});
    QCOMPARE(seen.objectName, name);
    QVERIFY(!seen.title.isEmpty());
    QCOMPARE(seen.combo100, hasCombos);
    QCOMPARE(seen.combo101, hasCombos);
    QVERIFY(seen.button1);
    QCOMPARE(seen.button2, hasCancel);
    QCOMPARE(script.events.size(), size_t{2});
    QCOMPARE(script.events[0].first, TEXTPACK_DIALOG_INIT);
    QCOMPARE(script.events[0].second, 0);
    QCOMPARE(script.events[1].first, TEXTPACK_DIALOG_COMMAND);
    QCOMPARE(script.events[1].second, 1);
}

void DialogRunnerTest::optionsTemplatesHaveTheirCaptions() {
    QString okText;
    QString cancelText;
    dialogdriver::answerNextModal([&](QWidget* modal) {
        okText = dialogdriver::buttonOf(modal, 1)->text();
        cancelText = dialogdriver::buttonOf(modal, 2)->text();
        dialogdriver::press(modal, 2);
    });
    Script script;
    QCOMPARE(TextpackRunDialog("VOXOPTIONS", nullptr, scriptedProc, &script), intptr_t{2});
    QCOMPARE(okText, QStringLiteral("OK"));
    QCOMPARE(cancelText, QStringLiteral("Cancel"));
}

void DialogRunnerTest::comboCallsFillSelectAndReadBack() {
    int firstIndex = -2;
    int secondIndex = -2;
    int selectionAfterFill = -2;
    int shownEntries = 0;
    QString shownText;
    Script script;
    script.onInit = [&](TextpackDialog* dialog) {
        QCOMPARE(TextpackComboSelection(dialog, 100), -1);
        firstIndex = TextpackComboAdd(dialog, 100, "u-Law");
        secondIndex = TextpackComboAdd(dialog, 100, "A-Law");
        selectionAfterFill = TextpackComboSelection(dialog, 100);
        QCOMPARE(TextpackComboSelect(dialog, 100, 1), 1);
        QCOMPARE(TextpackComboSelect(dialog, 100, 2), 0);
        QCOMPARE(TextpackComboSelection(dialog, 100), 1);
    };
    int selectionAtOk = -2;
    script.endOnCommands = {};
    dialogdriver::answerNextModal([&](QWidget* modal) {
        QComboBox* box = dialogdriver::comboOf(modal, 100);
        shownEntries = box->count();
        shownText = box->currentText();
        box->setCurrentIndex(0);
        dialogdriver::press(modal, 1);
    });
    // The procedure reads the selection back when OK arrives.
    auto readingProc = [](TextpackDialog* dialog, TextpackDialogEvent event, int id,
                          void* context) {
        auto* pair = static_cast<std::pair<Script*, int*>*>(context);
        scriptedProc(dialog, event, id, pair->first);
        if (event == TEXTPACK_DIALOG_COMMAND && id == 1) {
            *pair->second = TextpackComboSelection(dialog, 100);
            TextpackEndDialog(dialog, 1);
        }
    };
    std::pair<Script*, int*> context{&script, &selectionAtOk};
    QCOMPARE(TextpackRunDialog("WAVOPTIONS", nullptr, readingProc, &context), intptr_t{1});
    QCOMPARE(firstIndex, 0);
    QCOMPARE(secondIndex, 1);
    QCOMPARE(selectionAfterFill, 0);
    QCOMPARE(shownEntries, 2);
    QCOMPARE(shownText, QStringLiteral("A-Law"));
    QCOMPARE(selectionAtOk, 0);
}

void DialogRunnerTest::controlCallsRefuseUnknownIds() {
    Script script;
    script.endDuringInit = true;
    script.onInit = [](TextpackDialog* dialog) {
        QCOMPARE(TextpackComboAdd(dialog, 102, "x"), -1);
        QCOMPARE(TextpackComboAdd(dialog, 100, nullptr), -1);
        QCOMPARE(TextpackComboAdd(dialog, 1, "a button is no combo box"), -1);
        QCOMPARE(TextpackComboSelect(dialog, 100, 0), 0);
        QCOMPARE(TextpackComboSelect(dialog, 100, -1), 0);
        QCOMPARE(TextpackComboSelection(dialog, 7), -1);
        QCOMPARE(TextpackEnableControl(dialog, 55, 0), 0);
    };
    QCOMPARE(TextpackRunDialog("VOXABOUT", nullptr, scriptedProc, &script), intptr_t{0});
    QCOMPARE(script.events.size(), size_t{1});
}

void DialogRunnerTest::enableControlDisablesTheWidget() {
    bool box101Enabled = true;
    bool box100Enabled = false;
    Script script;
    script.onInit = [](TextpackDialog* dialog) {
        QCOMPARE(TextpackComboAdd(dialog, 101, "(not applicable)"), 0);
        QCOMPARE(TextpackEnableControl(dialog, 101, 0), 1);
    };
    dialogdriver::answerNextModal([&](QWidget* modal) {
        box101Enabled = dialogdriver::comboOf(modal, 101)->isEnabled();
        box100Enabled = dialogdriver::comboOf(modal, 100)->isEnabled();
        dialogdriver::press(modal, 2);
    });
    QCOMPARE(TextpackRunDialog("WAVOPTIONS", nullptr, scriptedProc, &script), intptr_t{2});
    QVERIFY(!box101Enabled);
    QVERIFY(box100Enabled);
}

void DialogRunnerTest::buttonPressSendsItsCommandAndEndDialogReturnsTheResult() {
    Script script;
    script.endOnCommands = {};
    // Cancel is pressed first but ignored by the procedure; OK then ends with a custom value.
    auto proc = [](TextpackDialog* dialog, TextpackDialogEvent event, int id, void* context) {
        scriptedProc(dialog, event, id, context);
        if (event == TEXTPACK_DIALOG_COMMAND && id == 1) {
            TextpackEndDialog(dialog, 4242);
        }
    };
    dialogdriver::answerNextModal([](QWidget* modal) {
        dialogdriver::press(modal, 2);
        QVERIFY(modal->isVisible());
        dialogdriver::press(modal, 1);
    });
    QCOMPARE(TextpackRunDialog("VOXOPTIONS", nullptr, proc, &script), intptr_t{4242});
    QCOMPARE(script.events.size(), size_t{3});
    QCOMPARE(script.events[1].second, 2);
    QCOMPARE(script.events[2].second, 1);
}

void DialogRunnerTest::escapeAsksForCancelAndTheProcedureDecides() {
    Script script;
    dialogdriver::answerNextModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    QCOMPARE(TextpackRunDialog("WAVABOUT", nullptr, scriptedProc, &script), intptr_t{2});
    QCOMPARE(script.events.back().first, TEXTPACK_DIALOG_COMMAND);
    QCOMPARE(script.events.back().second, 2);

    Script closing;
    dialogdriver::answerNextModal([](QWidget* modal) { modal->close(); });
    QCOMPARE(TextpackRunDialog("VOXABOUT", nullptr, scriptedProc, &closing), intptr_t{2});
}

void DialogRunnerTest::endDuringInitNeverShowsTheDialog() {
    Script script;
    script.endDuringInit = true;
    script.initResult = 7;
    QCOMPARE(TextpackRunDialog("VOXOPTIONS", nullptr, scriptedProc, &script), intptr_t{7});
    QCOMPARE(script.events.size(), size_t{1});
    QCOMPARE(QApplication::activeModalWidget(), static_cast<QWidget*>(nullptr));
}

void DialogRunnerTest::unknownTemplateOrNullProcedureCannotBeShown() {
    Script script;
    QCOMPARE(TextpackRunDialog("NOSUCH", nullptr, scriptedProc, &script), intptr_t{0});
    QCOMPARE(TextpackRunDialog("voxoptions", nullptr, scriptedProc, &script), intptr_t{0});
    QCOMPARE(TextpackRunDialog(nullptr, nullptr, scriptedProc, &script), intptr_t{0});
    QCOMPARE(TextpackRunDialog("VOXOPTIONS", nullptr, nullptr, &script), intptr_t{0});
    QVERIFY(script.events.empty());
}

void DialogRunnerTest::liveOwnerOwnsTheDialogAndAStalePointerDoesNot() {
    QWidget owner;
    owner.show();
    Seen seen;
    Script script;
    dialogdriver::answerNextModal([&seen](QWidget* modal) {
        seen = inspect(modal);
        dialogdriver::press(modal, 1);
    });
    QCOMPARE(TextpackRunDialog("VOXABOUT", &owner, scriptedProc, &script), intptr_t{1});
    QCOMPARE(seen.parent, &owner);

    int notAWidget = 0;
    dialogdriver::answerNextModal([&seen](QWidget* modal) {
        seen = inspect(modal);
        dialogdriver::press(modal, 1);
    });
    QCOMPARE(TextpackRunDialog("VOXABOUT", &notAWidget, scriptedProc, &script), intptr_t{1});
    QCOMPARE(seen.parent, static_cast<QWidget*>(nullptr));
}

void DialogRunnerTest::activeWindowIsTheApplicationsActiveWindow() {
    QWidget window;
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(TextpackActiveWindow(), static_cast<void*>(QApplication::activeWindow()));
    QCOMPARE(TextpackActiveWindow(), static_cast<void*>(&window));
}

void DialogRunnerTest::centreWindowCentresOnTheScreenAndKeepsTheSize() {
    QWidget window;
    window.setGeometry(10, 20, 301, 151);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QSize frame = window.frameGeometry().size();
    const QRect screen = window.screen()->geometry();

    QCOMPARE(TextpackCentreWindow(&window), 1);
    QCOMPARE(window.frameGeometry().topLeft(),
             QPoint(screen.x() + (screen.width() - frame.width()) / 2,
                    screen.y() + (screen.height() - frame.height()) / 2));
    QCOMPARE(window.frameGeometry().size(), frame);

    int notAWidget = 0;
    QCOMPARE(TextpackCentreWindow(&notAWidget), 0);
    QCOMPARE(TextpackCentreWindow(nullptr), 0);
}
