// The running program in a test: a workspace of its own, the message boxes and modal dialogs
// answered by FakePrompts, and the six windows created and shown as the program's main does.
// Tests hold one in a std::optional that init() fills and cleanup() empties.
#pragma once

#include "ui/ApplicationWindows.h"
#include "ui/JobListView.h"
#include "ui/Launcher.h"
#include "ui/MainForm.h"
#include "ui/ProgressForm.h"
#include "ui/StatusPanels.h"

#include "ui_test/DragSource.h"
#include "ui_test/FakePrompts.h"
#include "ui_test/Workspace.h"

#include <QAction>
#include <QTest>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ui_test {

class Program {
public:
    // Declared first, so that the windows go before the prompts and the working folder.
    Workspace workspace;
    FakePrompts prompts;
    std::unique_ptr<ui::ApplicationWindows> windows;
    // What the desktop's default handler was asked to open, once recordOpened() replaced it.
    std::vector<std::string> opened;

    // The default opener returns once the windows are gone.
    ~Program() {
        windows.reset();
        ui::setOpenHandler({});
    }

    // Records every file or address opened from here on instead of opening it; `opens` is
    // whether a desktop application took it.
    void recordOpened(bool opens) {
        ui::setOpenHandler([this, opens](const std::string& pathOrUrl) {
            opened.push_back(pathOrUrl);
            return opens;
        });
    }

    // Writes import.ini with these [Startup] lines and starts the program on it. The tips
    // window stays closed and the dictations written just before count as arrived unless a
    // line says otherwise (the first key of a name wins).
    ui::TfrmMainForm& start(std::vector<std::string> lines = {}) {
        lines.push_back("ShowTips=0");
        lines.push_back("SettleSeconds=0");
        workspace.writeConfig(lines);
        return startAsIs();
    }

    // Starts the program on the working folder as it is (without import.ini: a first run).
    ui::TfrmMainForm& startAsIs() {
        windows.reset();
        windows = std::make_unique<ui::ApplicationWindows>();
        form().show();
        return form();
    }

    ui::TfrmMainForm& form() const { return windows->frmMainForm(); }
    ui::TfrmProgress& progress() const { return windows->frmProgress(); }
    QString panel(int index) const { return form().StatusBar1()->panelText(index); }
    // The Input File column of a job row as the list shows it.
    QString caption(int row) const {
        return form().ListView1()->topLevelItem(row)->text(shell::kColInputFile);
    }

    // A widget of the windows by object name; a missing one ends the test run.
    template <class Widget = QAction>
    Widget* named(const QObject& window, const QString& name) const {
        auto* found = window.findChild<Widget*>(name);
        if (found == nullptr)
            qFatal("no %s named %s", Widget::staticMetaObject.className(), qPrintable(name));
        return found;
    }
    // Chooses a command by its action's name; a disabled one fails the test.
    void trigger(const QString& action) const {
        QAction* command = named(form(), action);
        QVERIFY2(command->isEnabled(), qPrintable(action + QStringLiteral(" is disabled")));
        command->trigger();
    }

    // Chooses a command whose modal dialog `work` handles while it is shown; the dialog
    // closes as its close box would unless `work` closed it. Returns the dialog's result.
    int inDialog(const QString& action, const std::function<void(QDialog&)>& work) {
        int result = -1;
        prompts.onDialog = [&](QDialog& dialog) {
            work(dialog);
            result = dialog.isVisible() ? QDialog::Rejected : dialog.result();
        };
        trigger(action);
        prompts.onDialog = {};
        return result;
    }

    QStringList messageTexts() const {
        QStringList texts;
        for (const RecordedMessage& message : prompts.messages)
            texts << message.text;
        return texts;
    }

    // A file outside the drive root, as the desktop holds one before it is dropped.
    QString desktopFile(const std::string& name, const std::string& content = "RIFF") const {
        return QString::fromStdString(workspace.addFile("desktop/" + name, content).string());
    }

    // Drags files onto the main window, from a source that proposes to move them, and drops
    // them. Returns what the drop answered (IgnoreAction when the window did not take them).
    Qt::DropAction drop(const QStringList& nativePaths) const {
        return DragSource(nativePaths).dropOn(form().windowHandle(), form().rect().center());
    }
};

} // namespace ui_test
