// Every message box and modal dialog of the program goes through this seam, so that tests
// answer them without running a real modal loop.
#pragma once

#include <QString>

class QDialog;
class QWidget;

namespace ui {

enum class PromptIcon { None, Information, Warning, Error, Question };
enum class PromptButtons { Ok, YesNo };
enum class PromptAnswer { Ok, Yes, No };

struct PromptRequest {
    QWidget* parent = nullptr;
    QString caption;
    QString text;
    PromptIcon icon = PromptIcon::None;
    PromptButtons buttons = PromptButtons::Ok;
    // The button Enter chooses in a Yes/No box.
    PromptAnswer defaultAnswer = PromptAnswer::Yes;
};

class Prompts {
public:
    virtual ~Prompts() = default;
    virtual PromptAnswer message(const PromptRequest& request) = 0;
    // Runs `dialog` modally and returns its result code (QDialog::Accepted / Rejected).
    virtual int execDialog(QDialog& dialog) = 0;
};

// The seam in force: the one installed with setPrompts, else the real Qt boxes.
Prompts& prompts();
// Installs `replacement` (not owned; must outlive its use); null restores the real boxes.
void setPrompts(Prompts* replacement);

// Shorthands for the common boxes.
PromptAnswer showMessage(QWidget* parent, const QString& caption, const QString& text,
                         PromptIcon icon, PromptButtons buttons = PromptButtons::Ok,
                         PromptAnswer defaultAnswer = PromptAnswer::Yes);
void showError(QWidget* parent, const QString& text);

} // namespace ui
