// The dialog templates of the plug-ins: named lists of controls with their ids and texts.
#pragma once

#include <span>

namespace textpack {

enum class ControlKind {
    Text,  // a line of static text
    Combo, // a drop-down list with its label in front
    Button // a push button; pressing it sends its id as a command
};

struct ControlTemplate {
    ControlKind kind;
    int id; // 0 for texts, which are never addressed
    const char* text;
};

struct DialogTemplate {
    const char* name;
    const char* title;
    std::span<const ControlTemplate> controls;
};

// The template called `name` (compared exactly), or null when there is none.
const DialogTemplate* findDialogTemplate(const char* name);

} // namespace textpack
