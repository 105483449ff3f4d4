// The C interface of the dialog runner: forwards to the Qt half once it is loaded. The control
// functions are only meaningful inside a running dialog, when the Qt half is always loaded.
#include "textpack/Textpack.h"

#include "gui_functions.h"
#include "textpack_guard.h"

using textpack::guiFunctions;

extern "C" intptr_t TextpackRunDialog(const char* templateName, void* owner,
                                      TextpackDialogProc proc, void* context) {
    return textpack::guardedExport(0, [&]() -> intptr_t {
        const textpack::GuiFunctions* gui = guiFunctions();
        return gui ? gui->runDialog(templateName, owner, proc, context) : 0;
    });
}

extern "C" int TextpackComboAdd(TextpackDialog* dialog, int controlId, const char* text) {
    return textpack::guardedExport(-1, [&]() -> int {
        const textpack::GuiFunctions* gui = guiFunctions();
        return gui ? gui->comboAdd(dialog, controlId, text) : -1;
    });
}

extern "C" int TextpackComboSelect(TextpackDialog* dialog, int controlId, int index) {
    return textpack::guardedExport(0, [&]() -> int {
        const textpack::GuiFunctions* gui = guiFunctions();
        return gui ? gui->comboSelect(dialog, controlId, index) : 0;
    });
}

extern "C" int TextpackComboSelection(TextpackDialog* dialog, int controlId) {
    return textpack::guardedExport(-1, [&]() -> int {
        const textpack::GuiFunctions* gui = guiFunctions();
        return gui ? gui->comboSelection(dialog, controlId) : -1;
    });
}

extern "C" int TextpackEnableControl(TextpackDialog* dialog, int controlId, int enabled) {
    return textpack::guardedExport(0, [&]() -> int {
        const textpack::GuiFunctions* gui = guiFunctions();
        return gui ? gui->enableControl(dialog, controlId, enabled) : 0;
    });
}

extern "C" void TextpackEndDialog(TextpackDialog* dialog, intptr_t result) {
    textpack::guardedExport([&] {
        const textpack::GuiFunctions* gui = guiFunctions();
        if (gui != nullptr) {
            gui->endDialog(dialog, result);
        }
    });
}
