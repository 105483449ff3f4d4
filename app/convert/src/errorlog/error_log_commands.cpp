#include "convert/error_log_commands.h"

namespace convert {

ErrorLogCommands::ErrorLogCommands(MessageBoxes& boxes, DocumentOpener opener, ErrorLogFile log)
    : boxes_(boxes)
    , opener_(std::move(opener))
    , log_(std::move(log)) {}

void ErrorLogCommands::ErrorLog1Click() const {
    if (opener_) {
        // A desktop without a handler for text files simply shows nothing.
        static_cast<void>(opener_(NativeAbsolutePath(log_.storedPath())));
    }
}

void ErrorLogCommands::ClearErrorLog1Click() const {
    const BoxAnswer answer = boxes_.Show({kClearLogCaption, kClearLogQuestion, BoxIcon::Question,
                                          BoxButtons::YesNo, BoxOwner::MainWindow, BoxAnswer::No});
    if (answer != BoxAnswer::Yes) {
        return;
    }
    if (!log_.Truncate()) {
        boxes_.Show(
            {kErrorCaption, kClearLogFailure, BoxIcon::None, BoxButtons::Ok, BoxOwner::None});
        return;
    }
    ErrorLog1Click();
}

} // namespace convert
