// The one guard every C export of the libraries runs its work in: nothing thrown inside (an
// allocation failure inside a std::string included) crosses the library boundary. What escapes
// the work is handed to the library's own report and the export's documented failure result is
// returned instead.
#pragma once

#include <new>
#include <type_traits>
#include <utility>

namespace guard {

enum class Escape {
    OutOfMemory, // std::bad_alloc and its kind
    Other        // anything else
};

// Returns what `work` returns, or `failure` after `report(escape)` when something escaped it.
template <typename Failure, typename Report, typename Work>
auto guarded(Failure failure, Report&& report, Work&& work) noexcept
    -> std::invoke_result_t<Work&> {
    try {
        return std::forward<Work>(work)();
    } catch (const std::bad_alloc&) {
        report(Escape::OutOfMemory);
    } catch (...) {
        report(Escape::Other);
    }
    return failure;
}

// For exports without a result.
template <typename Report, typename Work>
void guarded(Report&& report, Work&& work) noexcept {
    try {
        std::forward<Work>(work)();
    } catch (const std::bad_alloc&) {
        report(Escape::OutOfMemory);
    } catch (...) {
        report(Escape::Other);
    }
}

} // namespace guard
