#include "profile_lines.h"

namespace platform::detail {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool isWrappedInQuotes(std::string_view value) {
    return value.size() >= 2 && value.front() == '"' && value.back() == '"';
}

} // namespace

ProfileLine classifyProfileLine(std::string_view line) {
    ProfileLine result;
    const std::string_view text = trimBlanks(line);
    if (text.empty() || text.front() == ';') {
        return result;
    }
    if (text.front() == '[') {
        const std::size_t close = text.find(']');
        if (close != std::string_view::npos) {
            result.kind = ProfileLineKind::Section;
            result.name = trimBlanks(text.substr(1, close - 1));
        }
        return result;
    }
    const std::size_t equals = text.find('=');
    if (equals != std::string_view::npos) {
        result.kind = ProfileLineKind::Key;
        result.name = trimBlanks(text.substr(0, equals));
        result.value = trimBlanks(text.substr(equals + 1));
    }
    return result;
}

std::vector<std::string> splitProfileLines(std::string_view content) {
    // Editors that save UTF-8 may put a byte order mark before the first section.
    if (content.substr(0, 3) == "\xEF\xBB\xBF") {
        content.remove_prefix(3);
    }
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        const bool lastLine = end == std::string_view::npos;
        if (lastLine) {
            end = content.size();
        }
        std::string_view line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.emplace_back(line);
        start = end + 1;
    }
    return lines;
}

std::string_view unquoteProfileValue(std::string_view value) {
    return isWrappedInQuotes(value) ? value.substr(1, value.size() - 2) : value;
}

std::string quoteProfileValue(std::string_view value) {
    const bool needsQuotes = !value.empty() && (isBlank(value.front()) || isBlank(value.back()) ||
                                                isWrappedInQuotes(value));
    if (!needsQuotes) {
        return std::string(value);
    }
    std::string quoted;
    quoted.reserve(value.size() + 2);
    quoted += '"';
    quoted += value;
    quoted += '"';
    return quoted;
}

std::string profileReadResult(std::optional<std::string_view> found, std::string_view defaultValue,
                              std::size_t bufferSize) {
    std::string_view result;
    if (found.has_value()) {
        result = unquoteProfileValue(*found);
    } else {
        result = defaultValue;
        while (!result.empty() && isBlank(result.back())) {
            result.remove_suffix(1);
        }
    }
    const std::size_t room = bufferSize == 0 ? 0 : bufferSize - 1;
    return std::string(result.substr(0, room));
}

} // namespace platform::detail
