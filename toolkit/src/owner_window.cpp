#include "Quiesc.h"
#include "common/guarded_export.h"

#include "common/dialog_owner.h"

// The helper layer keeps the window; plug-in calls read it back through dialogOwner.
extern "C" QUIESC_API void* SetQcParent(void* window) {
    return common::guardedExport(window, [&]() -> void* {
        common::setDialogOwner(window);
        return window;
    });
}
