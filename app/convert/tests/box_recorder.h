#pragma once
// A message-box seam that records every box and answers from a script.

#include "convert/document_opener.h"
#include "convert/message_boxes.h"

#include <deque>
#include <string>
#include <vector>

namespace convert_test {

class BoxRecorder final : public convert::MessageBoxes {
public:
    convert::BoxAnswer Show(const convert::MessageBoxRequest& request) override {
        shown.push_back(request);
        if (answers.empty()) {
            return request.buttons == convert::BoxButtons::YesNo ? convert::BoxAnswer::No
                                                                 : convert::BoxAnswer::Ok;
        }
        const convert::BoxAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::deque<convert::BoxAnswer> answers;
    std::vector<convert::MessageBoxRequest> shown;
};

// Records the paths it is asked to open; answers as a desktop without a handler would.
struct OpenRecorder {
    std::vector<std::string> opened;
    bool handlerAvailable = false;

    convert::DocumentOpener opener() {
        return [this](const std::string& path) {
            opened.push_back(path);
            return handlerAvailable;
        };
    }
};

} // namespace convert_test
