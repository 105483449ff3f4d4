// Answers the program's message boxes and modal dialogs in tests and records what was asked.
#pragma once

#include "ui/Prompts.h"

#include <QCoreApplication>
#include <QDialog>
#include <QList>
#include <QString>

#include <functional>

namespace ui_test {

// A message box as it was asked for, with the window that owns it (null: no owner).
using RecordedMessage = ui::PromptRequest;

class FakePrompts : public ui::Prompts {
public:
    // Answers a dialog; the default shows it without a modal loop and closes it as its close
    // box would.
    using DialogHandler = std::function<void(QDialog&)>;

    FakePrompts() { ui::setPrompts(this); }
    ~FakePrompts() override { ui::setPrompts(nullptr); }
    FakePrompts(const FakePrompts&) = delete;
    FakePrompts& operator=(const FakePrompts&) = delete;

    ui::PromptAnswer message(const ui::PromptRequest& request) override {
        messages.append(request);
        if (onMessage)
            onMessage(request);
        if (request.buttons == ui::PromptButtons::YesNo)
            return answerYes ? ui::PromptAnswer::Yes : ui::PromptAnswer::No;
        return ui::PromptAnswer::Ok;
    }

    int execDialog(QDialog& dialog) override {
        dialogs.append(dialog.objectName());
        dialogTitles.append(dialog.windowTitle());
        dialog.setResult(QDialog::Rejected);
        dialog.show();
        QCoreApplication::processEvents();
        if (onDialog)
            onDialog(dialog);
        if (dialog.isVisible())
            dialog.reject();
        return dialog.result();
    }

    QList<RecordedMessage> messages;
    QStringList dialogs;
    QStringList dialogTitles;
    DialogHandler onDialog;
    // Runs while a message box would be up, before it is answered.
    std::function<void(const ui::PromptRequest&)> onMessage;
    bool answerYes = true;
};

} // namespace ui_test
