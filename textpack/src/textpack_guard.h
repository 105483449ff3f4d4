// The export guard (guard/export_guard.h) for Textpack's exports. Textpack keeps no message of
// its own: what escapes an export is dropped and the export's failure value returned.
#pragma once

#include "guard/export_guard.h"

#include <type_traits>
#include <utility>

namespace textpack {

inline void dropEscape(guard::Escape) {}

template <typename Failure, typename Work>
auto guardedExport(Failure failure, Work&& work) noexcept -> std::invoke_result_t<Work&> {
    return guard::guarded(failure, dropEscape, std::forward<Work>(work));
}

template <typename Work>
void guardedExport(Work&& work) noexcept {
    guard::guarded(dropEscape, std::forward<Work>(work));
}

} // namespace textpack
