// The message state of one library: where composed message texts go, whether they are also
// shown, and the caption they are shown with. Each library that compiles this helper layer in
// has its own instance (the symbols stay hidden inside that library).
#pragma once

#include <cstddef>

namespace common {

// Every message target holds at least this many bytes; longer messages are cut to fit
// (511 characters and the terminator).
inline constexpr std::size_t messageBufferSize = 512;
inline constexpr std::size_t captionBufferSize = 128;

// From now on messages are composed into `buffer` (at least messageBufferSize bytes) and
// no longer shown, until resetMessageTarget.
void setMessageTarget(char* buffer);
// Messages go to the library's own buffer again, emptied, and are shown.
void resetMessageTarget();
// The buffer that receives messages: the library's own until setMessageTarget.
const char* messageText();

// Copies string 101 into the caption (at most 127 characters). Plug-ins call it at load.
void loadCaption();
const char* caption();

// Shows the current message in an error box when the show flag is set. Returns false.
bool showMessage();
// "%s." with text. Returns false.
bool reportText(const char* text);
// "%s (\"%s\")." with text and the file name. Returns false.
bool reportWithName(const char* name, const char* text);
// The system's text for errno, then "%s (\"%s\")." with the file name. Returns false.
bool reportSystemError(const char* name);
// Appends string 115 to the text already in the target. Returns false.
bool reportOutOfMemory();

// Loads string `id` into the library's one text buffer (overwritten by the next call) and
// returns it; an unknown id gives the empty text.
const char* loadText(unsigned id);

} // namespace common
