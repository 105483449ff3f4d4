// The window that owns a library's dialogs.
#pragma once

namespace common {

void setDialogOwner(void* window);
// The remembered window, or the application's active window when none is remembered.
void* dialogOwner();
// Centres the window on its screen (size and stacking unchanged); does nothing without a GUI.
void centreWindow(void* window);

} // namespace common
