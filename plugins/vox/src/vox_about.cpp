#include "vox/vox_plugin.h"

#include "common/dialog_owner.h"
#include "textpack/Textpack.h"

namespace vox {
namespace {

void closeOnOkOrCancel(TextpackDialog* dialog, TextpackDialogEvent event, int id, void*) {
    if (event == TEXTPACK_DIALOG_COMMAND && (id == 1 || id == 2)) {
        TextpackEndDialog(dialog, id);
    }
}

} // namespace

intptr_t showVoxAbout() {
    return TextpackRunDialog("VOXABOUT", common::dialogOwner(), closeOnOkOrCancel, nullptr);
}

} // namespace vox
