#include "config/settings.h"

#include <algorithm>

namespace shell {

bool IsValidDictatorID(std::string_view text) {
    constexpr std::size_t kLength = 4;
    return text.size() == kLength &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace shell
