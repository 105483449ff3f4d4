#include "textpack/Textpack.h"

#include "gui_functions.h"
#include "textpack_guard.h"

#include <cstdio>

namespace {

void printToStandardError(const char* text, const char* caption) {
    std::fprintf(stderr, "%s: %s\n", caption, text);
    std::fflush(stderr);
}

} // namespace

// Without a GUI application the message still has to reach the user: standard error is the
// one place every caller of a command-line front end sees.
extern "C" void TextpackShowError(const char* text, const char* caption) {
    const char* shownText = text ? text : "";
    const char* shownCaption = caption ? caption : "";
    const auto printInstead = [&](guard::Escape) { printToStandardError(shownText, shownCaption); };
    guard::guarded(printInstead, [&] {
        const textpack::GuiFunctions* gui = textpack::guiFunctions();
        if (gui == nullptr || gui->showError(shownText, shownCaption) == 0) {
            printToStandardError(shownText, shownCaption);
        }
    });
}

extern "C" void* TextpackActiveWindow(void) {
    return textpack::guardedExport(nullptr, []() -> void* {
        const textpack::GuiFunctions* gui = textpack::guiFunctions();
        return gui ? gui->activeWindow() : nullptr;
    });
}

extern "C" int TextpackCentreWindow(void* window) {
    return textpack::guardedExport(0, [&] {
        const textpack::GuiFunctions* gui = textpack::guiFunctions();
        return gui ? gui->centreWindow(window) : 0;
    });
}
