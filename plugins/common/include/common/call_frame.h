// The frame of one Open or Save call of a plug-in: where its dialogs and messages go.
//
// A message target belongs to the one call that named it. The frame sets the dialog owner and
// the message target from the caller's options at the start of the call (the caller's buffer,
// or, without one, the library's own buffer with message boxes shown) and hands both back to
// the library when the call ends, so that no later call, whoever makes it, writes into a buffer
// an earlier caller may since have freed.
#pragma once

#include "common/plugin_contract.h"

namespace common {

class CallFrame {
public:
    // `options` may be null: the call then runs as with an all-zero record.
    explicit CallFrame(PluginOptions* options);
    ~CallFrame();
    CallFrame(const CallFrame&) = delete;
    CallFrame& operator=(const CallFrame&) = delete;

    // The caller's record, or the all-zero one of this call.
    PluginOptions& options() { return *options_; }

private:
    PluginOptions none_{};
    PluginOptions* options_;
};

} // namespace common
