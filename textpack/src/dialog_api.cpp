// The C interface of the dialog runner: forwards to the Qt half once it is loaded. The control
// functions are only meaningful inside a running dialog, when the Qt half is always loaded.
#include "textpack/Textpack.h"

#include "gui_functions.h"

using textpack::guiFunctions;

extern "C" intptr_t TextpackRunDialog(const char* templateName, void* owner,
                                      TextpackDialogProc proc, void* context) {
    const textpack::GuiFunctions* gui = guiFunctions();
    return gui ? gui->runDialog(templateName, owner, proc, context) : 0;
}

extern "C" int TextpackComboAdd(TextpackDialog* dialog, int controlId, const char* text) {
    const textpack::GuiFunctions* gui = guiFunctions();
    return gui ? gui->comboAdd(dialog, controlId, text) : -1;
}

extern "C" int TextpackComboSelect(TextpackDialog* dialog, int controlId, int index) {
    const textpack::GuiFunctions* gui = guiFunctions();
    return gui ? gui->comboSelect(dialog, controlId, index) : 0;
}

extern "C" int TextpackComboSelection(TextpackDialog* dialog, int controlId) {
    const textpack::GuiFunctions* gui = guiFunctions();
    return gui ? gui->comboSelection(dialog, controlId) : -1;
}

extern "C" int TextpackEnableControl(TextpackDialog* dialog, int controlId, int enabled) {
    const textpack::GuiFunctions* gui = guiFunctions();
    return gui ? gui->enableControl(dialog, controlId, enabled) : 0;
}

extern "C" void TextpackEndDialog(TextpackDialog* dialog, intptr_t result) {
    const textpack::GuiFunctions* gui = guiFunctions();
    if (gui != nullptr) {
        gui->endDialog(dialog, result);
    }
}
