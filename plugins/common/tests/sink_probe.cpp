// A stand-in for a plug-in: a shared library with the helper layer compiled in.
#include "common/message_sink.h"

#define PROBE_API extern "C" __attribute__((visibility("default")))

PROBE_API void probeSetTarget(char* buffer) {
    common::setMessageTarget(buffer);
}
PROBE_API void probeReportText(const char* text) {
    common::reportText(text);
}
PROBE_API const char* probeMessageText() {
    return common::messageText();
}
PROBE_API void probeLoadCaption() {
    common::loadCaption();
}
