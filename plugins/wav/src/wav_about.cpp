#include "wav/wav_plugin.h"

#include "common/dialog_owner.h"
#include "textpack/Textpack.h"

namespace wav {
namespace {

void closeOnOkOrCancel(TextpackDialog* dialog, TextpackDialogEvent event, int id, void*) {
    if (event == TEXTPACK_DIALOG_COMMAND && (id == 1 || id == 2)) {
        TextpackEndDialog(dialog, id);
    }
}

} // namespace

intptr_t showWavAbout() {
    return TextpackRunDialog("WAVABOUT", common::dialogOwner(), closeOnOkOrCancel, nullptr);
}

} // namespace wav
