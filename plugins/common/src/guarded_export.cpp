#include "common/guarded_export.h"

#include "common/message_sink.h"
#include "textpack/string_ids.h"

namespace common {

void reportEscape(guard::Escape escape) {
    if (escape == guard::Escape::OutOfMemory) {
        reportOutOfMemory();
    } else {
        reportText(loadText(TEXT_ID_UNEXPECTED));
    }
}

} // namespace common
