#include "vox_messages.h"

#include "common/message_sink.h"

#include <cstdio>

namespace vox {

bool reportUnsupportedTag(const char* fileName, uint16_t formatTag) {
    char text[128];
    std::snprintf(text, sizeof text, common::loadText(TEXT_ID_UNSUPPORTED_TAG), int{formatTag});
    return common::reportWithName(fileName, text);
}

bool reportFailure(const char* fileName, unsigned textId) {
    return common::reportWithName(fileName, common::loadText(textId));
}

} // namespace vox
