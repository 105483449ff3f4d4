#include "textpack/Textpack.h"

#include "gui_functions.h"

#include <cstdio>

// Without a GUI application the message still has to reach the user: standard error is the
// one place every caller of a command-line front end sees.
extern "C" void TextpackShowError(const char* text, const char* caption) {
    const char* shownText = text ? text : "";
    const char* shownCaption = caption ? caption : "";
    const textpack::GuiFunctions* gui = textpack::guiFunctions();
    if (gui != nullptr && gui->showError(shownText, shownCaption) != 0) {
        return;
    }
    std::fprintf(stderr, "%s: %s\n", shownCaption, shownText);
    std::fflush(stderr);
}

extern "C" void* TextpackActiveWindow(void) {
    const textpack::GuiFunctions* gui = textpack::guiFunctions();
    return gui ? gui->activeWindow() : nullptr;
}

extern "C" int TextpackCentreWindow(void* window) {
    const textpack::GuiFunctions* gui = textpack::guiFunctions();
    return gui ? gui->centreWindow(window) : 0;
}
