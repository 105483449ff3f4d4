// Failure messages of the WAV plug-in.
#pragma once

#include "textpack/string_ids.h"

#include <cstdint>

namespace wav {

// String 103 expanded with the tag (into a 64-byte text), with the file name. Returns false.
bool reportUnsupportedTag(const char* fileName, uint16_t formatTag);
// `textId` with the file name. Returns false.
bool reportFailure(const char* fileName, unsigned textId);

} // namespace wav
