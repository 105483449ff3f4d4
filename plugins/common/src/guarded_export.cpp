#include "common/guarded_export.h"

#include "common/message_sink.h"

namespace common {

void reportEscape(guard::Escape escape) {
    if (escape == guard::Escape::OutOfMemory) {
        reportOutOfMemory();
    } else {
        reportText(loadText(117));
    }
}

} // namespace common
