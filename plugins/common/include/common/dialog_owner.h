// The window that owns a library's dialogs.
#pragma once

namespace common {

void setDialogOwner(void* window);
// The remembered window, or the application's active window when none is remembered.
void* dialogOwner();

} // namespace common
