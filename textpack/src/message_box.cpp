#include "textpack/Textpack.h"

#include <cstdio>

// Without a GUI application the message still has to reach the user: standard error is the
// one place every caller of a command-line front end sees.
extern "C" void TextpackShowError(const char* text, const char* caption) {
    std::fprintf(stderr, "%s: %s\n", caption ? caption : "", text ? text : "");
    std::fflush(stderr);
}

extern "C" void* TextpackActiveWindow(void) {
    return nullptr;
}
