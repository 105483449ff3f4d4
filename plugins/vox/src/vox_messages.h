// Failure messages of the VOX plug-in that are composed from templates or new ids.
#pragma once

#include "textpack/string_ids.h"

#include <cstdint>

namespace vox {

// String 103 expanded with the tag (into a 128-byte text), with the file name. Returns false.
bool reportUnsupportedTag(const char* fileName, uint16_t formatTag);
// `textId` with the file name. Returns false.
bool reportFailure(const char* fileName, unsigned textId);

} // namespace vox
