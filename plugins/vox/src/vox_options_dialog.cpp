#include "vox_options_dialog.h"

#include "vox/vox_lists.h"

#include "common/dialog_owner.h"
#include "common/message_sink.h"
#include "common/options_dialog.h"
#include "textpack/Textpack.h"
#include "textpack/string_ids.h"

namespace vox {
namespace {

using common::commandCancel;
using common::commandOk;
using common::formatBox;
using common::rateBox;

struct DialogState {
    DialogMode mode;
    VoxSelection& selection;
    PluginOptions& options;
};

uint16_t selectedIndex(TextpackDialog* dialog, int box) {
    const int index = TextpackComboSelection(dialog, box);
    return static_cast<uint16_t>(index < 0 ? 0 : index);
}

void fillLists(TextpackDialog* dialog, const DialogState& state) {
    for (const VoxFormat& format : voxFormats) {
        TextpackComboAdd(dialog, formatBox, format.text);
    }
    TextpackComboSelect(dialog, formatBox, state.selection.formatIndex);
    if (state.mode == DialogMode::Open) {
        for (const VoxRate& rate : voxRates) {
            TextpackComboAdd(dialog, rateBox, rate.text);
        }
        TextpackComboSelect(dialog, rateBox, state.selection.rateIndex);
        return;
    }
    TextpackComboAdd(dialog, rateBox, common::loadText(TEXT_ID_NO_RATE));
    TextpackComboSelect(dialog, rateBox, 0);
    TextpackEnableControl(dialog, rateBox, 0);
}

void storeChoice(TextpackDialog* dialog, DialogState& state) {
    state.selection.formatIndex = selectedIndex(dialog, formatBox);
    state.selection.rateIndex = selectedIndex(dialog, rateBox);
    state.options.formatIndex = state.selection.formatIndex;
    state.options.rateIndex = state.selection.rateIndex;
}

void optionsProc(TextpackDialog* dialog, TextpackDialogEvent event, int id, void* context) {
    auto& state = *static_cast<DialogState*>(context);
    if (event == TEXTPACK_DIALOG_INIT) {
        fillLists(dialog, state);
        return;
    }
    if (id == commandOk) {
        storeChoice(dialog, state);
    }
    if (id == commandOk || id == commandCancel) {
        TextpackEndDialog(dialog, id);
    }
}

} // namespace

bool runVoxOptions(DialogMode mode, VoxSelection& selection, PluginOptions& options) {
    DialogState state{mode, selection, options};
    return TextpackRunDialog("VOXOPTIONS", common::dialogOwner(), optionsProc, &state) == commandOk;
}

} // namespace vox
