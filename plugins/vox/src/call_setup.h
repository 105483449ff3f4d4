// The first steps of every Open and Save call: where dialogs and messages go.
#pragma once

#include "common/dialog_owner.h"
#include "common/message_sink.h"
#include "common/plugin_contract.h"

namespace vox {

inline void beginCall(const PluginOptions& options) {
    common::setDialogOwner(options.ownerWindow);
    if (options.errorText != nullptr) {
        common::setMessageTarget(options.errorText);
    }
}

} // namespace vox
