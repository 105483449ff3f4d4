#include "common/guarded_export.h"
#include "library_state.h"

#include <cstring>

using quiesc::lastErrorText;

extern "C" QUIESC_API char* GetLastQcErrorText(char* buffer) {
    return common::guardedExport(buffer, [&]() -> char* {
        if (buffer == nullptr) {
            return nullptr;
        }
        // Exactly 512 characters: the text, zero fill up to position 511, and the terminator.
        const size_t length = strnlen(lastErrorText, QC_ERROR_TEXT_SIZE - 1);
        std::memcpy(buffer, lastErrorText, length);
        std::memset(buffer + length, 0, QC_ERROR_TEXT_SIZE - length);
        return buffer;
    });
}
