// The export guard (guard/export_guard.h) with the helper layer's report: an allocation
// failure appends string 115 to the message, anything else reports string 117.
#pragma once

#include "common/call_frame.h"
#include "common/plugin_contract.h"
#include "guard/export_guard.h"

#include <cstdint>
#include <type_traits>
#include <utility>

namespace common {

// Reports what escaped an export through the message sink.
void reportEscape(guard::Escape escape);

template <typename Failure, typename Work>
auto guardedExport(Failure failure, Work&& work) noexcept -> std::invoke_result_t<Work&> {
    return guard::guarded(failure, reportEscape, std::forward<Work>(work));
}

template <typename Work>
void guardedExport(Work&& work) noexcept {
    guard::guarded(reportEscape, std::forward<Work>(work));
}

// A plug-in's Open or Save: the report goes where the call's options send messages, as the
// call's own frame (already left when the report runs) would have sent it.
template <typename Work>
uint8_t guardedEntry(PluginOptions* options, Work&& work) noexcept {
    const auto reportInCallFrame = [options](guard::Escape escape) {
        const CallFrame frame(options);
        reportEscape(escape);
    };
    return guard::guarded(uint8_t{0}, reportInCallFrame, std::forward<Work>(work));
}

} // namespace common
