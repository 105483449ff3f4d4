#include "common/call_frame.h"

#include "common/dialog_owner.h"
#include "common/message_sink.h"

namespace common {

CallFrame::CallFrame(PluginOptions* options)
    : options_(options != nullptr ? options : &none_) {
    setDialogOwner(options_->ownerWindow);
    if (options_->errorText != nullptr) {
        setMessageTarget(options_->errorText);
    } else {
        resetMessageTarget();
    }
}

CallFrame::~CallFrame() {
    setDialogOwner(nullptr);
    resetMessageTarget();
}

} // namespace common
