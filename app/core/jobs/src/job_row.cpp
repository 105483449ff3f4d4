#include "jobs/job_row.h"

namespace shell {

int GetImageIndex(std::string_view text) {
    return (!text.empty() && text.front() == '_') ? kImageConverted : kImageWaiting;
}

} // namespace shell
