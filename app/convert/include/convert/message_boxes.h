#pragma once
// The message-box seam of the log and report commands: the main window shows the boxes, tests
// answer them. Free of any widget toolkit.

#include <string>

namespace convert {

// The caption of the boxes that report a failed file operation.
inline constexpr const char* kErrorCaption = "Error";

enum class BoxIcon { None, Information, Warning, Error, Question };
enum class BoxButtons { Ok, YesNo };
enum class BoxAnswer { Ok, Yes, No };
// A box owned by the main window stays above it; one without an owner stands alone.
enum class BoxOwner { None, MainWindow };

struct MessageBoxRequest {
    std::string caption;
    std::string text;
    BoxIcon icon = BoxIcon::None;
    BoxButtons buttons = BoxButtons::Ok;
    BoxOwner owner = BoxOwner::None;
    // The button Enter chooses in a Yes/No box: No where Yes destroys something.
    BoxAnswer defaultAnswer = BoxAnswer::Yes;
};

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Shows the box modally and returns the button the user chose.
    virtual BoxAnswer Show(const MessageBoxRequest& request) = 0;
};

} // namespace convert
