#include "number_options.h"

#include <cerrno>
#include <cstdlib>

namespace quiesc_tool {

std::optional<double> parseNumber(const std::string& text) {
    if (text.empty()) {
        return std::nullopt;
    }
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (*end != '\0') {
        return std::nullopt;
    }
    return value;
}

std::optional<uint32_t> parseCount(const std::string& text) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    errno = 0;
    const unsigned long long value = std::strtoull(text.c_str(), nullptr, 10);
    if (errno != 0 || value > UINT32_MAX) {
        return std::nullopt;
    }
    return static_cast<uint32_t>(value);
}

std::optional<double> numberOption(const Arguments& arguments, const char* name, double fallback,
                                   std::string& error) {
    const std::string* text = arguments.option(name);
    if (text == nullptr) {
        return fallback;
    }
    const auto value = parseNumber(*text);
    if (!value) {
        error = std::string("the value \"") + *text + "\" of " + name + " is not a number";
    }
    return value;
}

} // namespace quiesc_tool
