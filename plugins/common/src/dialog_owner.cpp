#include "common/dialog_owner.h"

#include "textpack/Textpack.h"

namespace common {
namespace {
void* rememberedOwner = nullptr;
}

void setDialogOwner(void* window) {
    rememberedOwner = window;
}

void centreWindow(void* window) {
    TextpackCentreWindow(window);
}

void* dialogOwner() {
    return rememberedOwner ? rememberedOwner : TextpackActiveWindow();
}

} // namespace common
