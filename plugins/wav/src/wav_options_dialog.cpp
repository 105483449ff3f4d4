#include "wav_options_dialog.h"

#include "common/dialog_owner.h"
#include "common/message_sink.h"
#include "common/options_dialog.h"
#include "textpack/Textpack.h"
#include "textpack/string_ids.h"

namespace wav {
namespace {

using common::commandCancel;
using common::commandOk;
using common::formatBox;
using common::rateBox;

struct DialogState {
    uint16_t preselected;
    const WavFormat* chosen = nullptr;
};

void fillLists(TextpackDialog* dialog, const DialogState& state) {
    for (const WavFormat& format : wavFormats) {
        TextpackComboAdd(dialog, formatBox, format.text);
    }
    TextpackComboSelect(dialog, formatBox, state.preselected);
    // The file stores the sound's own rate: there is nothing to choose.
    TextpackComboAdd(dialog, rateBox, common::loadText(TEXT_ID_NO_RATE));
    TextpackComboSelect(dialog, rateBox, 0);
    TextpackEnableControl(dialog, rateBox, 0);
}

void optionsProc(TextpackDialog* dialog, TextpackDialogEvent event, int id, void* context) {
    auto& state = *static_cast<DialogState*>(context);
    if (event == TEXTPACK_DIALOG_INIT) {
        fillLists(dialog, state);
        return;
    }
    if (id == commandOk) {
        const int index = TextpackComboSelection(dialog, formatBox);
        state.chosen = &wavFormats[index < 0 ? 0 : static_cast<std::size_t>(index)];
    }
    if (id == commandOk || id == commandCancel) {
        TextpackEndDialog(dialog, id);
    }
}

} // namespace

const WavFormat* runWavOptions(uint16_t preselected) {
    DialogState state{preselected};
    if (TextpackRunDialog("WAVOPTIONS", common::dialogOwner(), optionsProc, &state) != commandOk) {
        return nullptr;
    }
    return state.chosen;
}

} // namespace wav
