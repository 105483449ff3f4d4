#include "library_state.h"

#include "common/message_sink.h"

namespace quiesc {

char lastErrorText[QC_ERROR_TEXT_SIZE];

namespace {

static_assert(sizeof lastErrorText >= common::messageBufferSize,
              "the helper layer composes messages of up to messageBufferSize bytes");

// Runs when the library is loaded: from then on messages land only in lastErrorText and no
// message box is ever shown. No caption is loaded, because the toolkit shows nothing.
__attribute__((constructor)) void directMessagesToLastErrorText() {
    common::setMessageTarget(lastErrorText);
}

} // namespace
} // namespace quiesc
