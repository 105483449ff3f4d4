// The table of functions the Qt half of Textpack (TextpackGui) gives the plain half. Textpack
// itself links no Qt: it loads TextpackGui only once a Qt application object exists, so
// command-line users of the libraries never load Qt.
#pragma once

#include "textpack/Textpack.h"

#include <cstdint>

namespace textpack {

struct GuiFunctions {
    // Returns 0 when no box can be shown (no widgets application, or not its thread).
    int (*showError)(const char* text, const char* caption);
    void* (*activeWindow)();
    int (*centreWindow)(void* window);
    intptr_t (*runDialog)(const char* templateName, void* owner, TextpackDialogProc proc,
                          void* context);
    int (*comboAdd)(TextpackDialog* dialog, int controlId, const char* text);
    int (*comboSelect)(TextpackDialog* dialog, int controlId, int index);
    int (*comboSelection)(TextpackDialog* dialog, int controlId);
    int (*enableControl)(TextpackDialog* dialog, int controlId, int enabled);
    void (*endDialog)(TextpackDialog* dialog, intptr_t result);
};

// The exported name of TextpackGui's one entry point, returning its GuiFunctions.
inline constexpr const char* guiEntryName = "TextpackGuiFunctions";

// The loaded Qt half, or null when the process has no Qt application object (nothing is
// loaded then) or the library cannot be loaded.
const GuiFunctions* guiFunctions();

} // namespace textpack
