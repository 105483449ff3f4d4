#include "ui/Prompts.h"

#include "ui/Captions.h"

#include <QDialog>
#include <QMessageBox>

namespace ui {
namespace {

QMessageBox::Icon toQtIcon(PromptIcon icon) {
    switch (icon) {
    case PromptIcon::Information:
        return QMessageBox::Information;
    case PromptIcon::Warning:
        return QMessageBox::Warning;
    case PromptIcon::Error:
        return QMessageBox::Critical;
    case PromptIcon::Question:
        return QMessageBox::Question;
    case PromptIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

class QtPrompts final : public Prompts {
public:
    PromptAnswer message(const PromptRequest& request) override {
        const bool yesNo = request.buttons == PromptButtons::YesNo;
        QMessageBox box(toQtIcon(request.icon), request.caption, request.text,
                        yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                        request.parent);
        box.setObjectName(QStringLiteral("frmMessage"));
        if (yesNo)
            box.setDefaultButton(request.defaultAnswer == PromptAnswer::No ? QMessageBox::No
                                                                           : QMessageBox::Yes);
        const int answer = box.exec();
        if (!yesNo)
            return PromptAnswer::Ok;
        return answer == QMessageBox::Yes ? PromptAnswer::Yes : PromptAnswer::No;
    }

    int execDialog(QDialog& dialog) override { return dialog.exec(); }
};

Prompts* installed = nullptr;

} // namespace

Prompts& prompts() {
    static QtPrompts real;
    return installed != nullptr ? *installed : real;
}

void setPrompts(Prompts* replacement) {
    installed = replacement;
}

PromptAnswer showMessage(QWidget* parent, const QString& caption, const QString& text,
                         PromptIcon icon, PromptButtons buttons, PromptAnswer defaultAnswer) {
    return prompts().message(PromptRequest{parent, caption, text, icon, buttons, defaultAnswer});
}

void showError(QWidget* parent, const QString& text) {
    // The standard exception box: captioned with the application title, error icon.
    showMessage(parent, kApplicationTitle, text, PromptIcon::Error);
}

} // namespace ui
