#include "common/message_sink.h"

#include "textpack/Textpack.h"
#include "textpack/string_ids.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace common {
namespace {

// The library's own state: anonymous-namespace globals, compiled into each library separately.
char ownBuffer[messageBufferSize];
char* target = ownBuffer;
bool showFlag = true;
char captionText[captionBufferSize];
char textBuffer[messageBufferSize];

// Composes into a local buffer first, so that arguments may point into the target itself.
template <typename... Args>
void compose(const char* format, Args... args) {
    char composed[messageBufferSize];
    std::snprintf(composed, sizeof composed, format, args...);
    std::memcpy(target, composed, std::strlen(composed) + 1);
}

} // namespace

void setMessageTarget(char* buffer) {
    target = buffer;
    showFlag = false;
}

void resetMessageTarget() {
    ownBuffer[0] = '\0';
    target = ownBuffer;
    showFlag = true;
}

const char* messageText() {
    return target;
}

void loadCaption() {
    TextpackLoadString(TEXT_ID_CAPTION, captionText, sizeof captionText);
}

const char* caption() {
    return captionText;
}

bool showMessage() {
    if (showFlag) {
        TextpackShowError(target, captionText);
    }
    return false;
}

bool reportText(const char* text) {
    compose("%s.", text ? text : "");
    return showMessage();
}

bool reportWithName(const char* name, const char* text) {
    compose("%s (\"%s\").", text ? text : "", name ? name : "");
    return showMessage();
}

bool reportSystemError(const char* name) {
    const int code = errno;
    char systemText[256];
    const char* text = std::strerror(code);
    if (text == nullptr || *text == '\0') {
        std::snprintf(systemText, sizeof systemText, "System error %d", code);
    } else {
        std::snprintf(systemText, sizeof systemText, "%s", text);
    }
    return reportWithName(name, systemText);
}

bool reportOutOfMemory() {
    // A caller's buffer that holds no terminated text yet counts as full: the search for the
    // end of the text must not run past the buffer.
    const size_t used = strnlen(target, messageBufferSize);
    if (used == messageBufferSize) {
        target[messageBufferSize - 1] = '\0';
    } else if (used + 1 < messageBufferSize) {
        char appendix[messageBufferSize];
        TextpackLoadString(TEXT_ID_OUT_OF_MEMORY, appendix,
                           static_cast<int>(messageBufferSize - used));
        std::memcpy(target + used, appendix, std::strlen(appendix) + 1);
    }
    return showMessage();
}

const char* loadText(unsigned id) {
    TextpackLoadString(id, textBuffer, sizeof textBuffer);
    return textBuffer;
}

} // namespace common
