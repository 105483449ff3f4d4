// The toolkit's library-wide state: the last-error text that every message of the toolkit and
// of the plug-ins it calls is composed into.
#pragma once

#include "Quiesc.h"

namespace quiesc {

// The message target of the toolkit's helper layer and the errorText of every plug-in call.
// Empty at load; holds the message of the most recent failure.
extern char lastErrorText[QC_ERROR_TEXT_SIZE];

} // namespace quiesc
