#include "config/config_store.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <optional>

namespace shell {

namespace {

bool startsWithHexPrefix(std::string_view value) {
    return value.size() > 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X');
}

// The whole text must be the number; values outside the 32-bit range are not numbers here.
std::optional<int> parseWhole(std::string_view digits, int base, bool negative) {
    if (digits.empty() || digits.front() == '-' || digits.front() == '+') {
        return std::nullopt;
    }
    uint64_t magnitude = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
    if (error != std::errc() || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    const uint64_t limit = negative ? uint64_t{1} << 31 : (uint64_t{1} << 31) - 1;
    if (magnitude > limit) {
        return std::nullopt;
    }
    const int64_t signedValue =
        negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
    return static_cast<int>(signedValue);
}

} // namespace

int ParseStoredInteger(std::string_view value, int defaultValue) {
    std::optional<int> parsed;
    if (startsWithHexPrefix(value)) {
        parsed = parseWhole(value.substr(2), 16, false);
    } else if (!value.empty() && (value.front() == '-' || value.front() == '+')) {
        parsed = parseWhole(value.substr(1), 10, value.front() == '-');
    } else {
        parsed = parseWhole(value, 10, false);
    }
    return parsed.value_or(defaultValue);
}

bool ParseStoredBoolean(std::string_view value, bool defaultValue) {
    return ParseStoredInteger(value, defaultValue ? 1 : 0) != 0;
}

} // namespace shell
