// The C interface of the dialog runner.
#include "textpack/Textpack.h"

#include "dialog_templates.h"
#include "gui_presence.h"
#include "template_dialog.h"

#include <QComboBox>

extern "C" intptr_t TextpackRunDialog(const char* templateName, void* owner,
                                      TextpackDialogProc proc, void* context) {
    const textpack::DialogTemplate* dialogTemplate = textpack::findDialogTemplate(templateName);
    if (dialogTemplate == nullptr || proc == nullptr || textpack::guiApplication() == nullptr) {
        return 0;
    }
    TextpackDialog dialog(*dialogTemplate, textpack::liveWidget(owner), proc, context);
    return dialog.run();
}

extern "C" int TextpackComboAdd(TextpackDialog* dialog, int controlId, const char* text) {
    QComboBox* box = dialog ? dialog->combo(controlId) : nullptr;
    if (box == nullptr || text == nullptr) {
        return -1;
    }
    box->addItem(QString::fromUtf8(text));
    return box->count() - 1;
}

extern "C" int TextpackComboSelect(TextpackDialog* dialog, int controlId, int index) {
    QComboBox* box = dialog ? dialog->combo(controlId) : nullptr;
    if (box == nullptr || index < 0 || index >= box->count()) {
        return 0;
    }
    box->setCurrentIndex(index);
    return 1;
}

extern "C" int TextpackComboSelection(TextpackDialog* dialog, int controlId) {
    QComboBox* box = dialog ? dialog->combo(controlId) : nullptr;
    return box ? box->currentIndex() : -1;
}

extern "C" int TextpackEnableControl(TextpackDialog* dialog, int controlId, int enabled) {
    QWidget* widget = dialog ? dialog->control(controlId) : nullptr;
    if (widget == nullptr) {
        return 0;
    }
    widget->setEnabled(enabled != 0);
    return 1;
}

extern "C" void TextpackEndDialog(TextpackDialog* dialog, intptr_t result) {
    if (dialog != nullptr) {
        dialog->end(result);
    }
}
