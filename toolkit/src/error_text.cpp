#include "library_state.h"

#include <cstring>

using quiesc::lastErrorText;

extern "C" QUIESC_API char* GetLastQcErrorText(char* buffer) {
    if (buffer == nullptr) {
        return nullptr;
    }
    // strncpy fills the rest of the first 511 positions with zero characters.
    std::strncpy(buffer, lastErrorText, QC_ERROR_TEXT_SIZE - 1);
    buffer[QC_ERROR_TEXT_SIZE - 1] = '\0';
    return buffer;
}
