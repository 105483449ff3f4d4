#pragma once
// The Tools menu's error-log commands: "View &Error Log" and "&Clear Error Log".

#include "convert/document_opener.h"
#include "convert/error_log_file.h"
#include "convert/message_boxes.h"

namespace convert {

inline constexpr const char* kClearLogQuestion = "Do you wish to clear the log?";
inline constexpr const char* kClearLogCaption = "Error Log";
inline constexpr const char* kClearLogFailure = "Error opening file";

class ErrorLogCommands {
public:
    // The boxes must outlive the commands.
    ErrorLogCommands(MessageBoxes& boxes, DocumentOpener opener = DefaultDocumentOpener(),
                     ErrorLogFile log = ErrorLogFile());

    // Opens the log in the default handler, not waited for; a missing handler is ignored.
    void ErrorLog1Click() const;

    // Asks "Do you wish to clear the log?"; on Yes truncates the log and opens it, or shows
    // "Error opening file" when it cannot be truncated.
    void ClearErrorLog1Click() const;

private:
    MessageBoxes& boxes_;
    DocumentOpener opener_;
    ErrorLogFile log_;
};

} // namespace convert
