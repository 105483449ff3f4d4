#include "platform/private_profile.h"

#include "ascii_case.h"
#include "platform/paths.h"
#include "profile_lines.h"

#include <vector>

namespace platform {

namespace {

using detail::ProfileLineKind;

struct KeyLocation {
    std::size_t sectionLine = 0;
    bool sectionFound = false;
    std::size_t keyLine = 0;
    bool keyFound = false;
    std::size_t lastContentLine = 0; // last non-blank line of the section
};

// Only the first section of a name is searched, as the profile calls do.
KeyLocation locateKey(const std::vector<std::string>& lines, std::string_view section,
                      std::string_view key) {
    KeyLocation where;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const detail::ProfileLine line = detail::classifyProfileLine(lines[i]);
        if (!where.sectionFound) {
            if (line.kind == ProfileLineKind::Section &&
                detail::asciiEqualsIgnoringCase(line.name, section)) {
                where.sectionFound = true;
                where.sectionLine = where.lastContentLine = i;
            }
            continue;
        }
        if (line.kind == ProfileLineKind::Section) {
            break;
        }
        if (line.kind == ProfileLineKind::Key && detail::asciiEqualsIgnoringCase(line.name, key)) {
            where.keyFound = true;
            where.keyLine = i;
            return where;
        }
        if (lines[i].find_first_not_of(" \t") != std::string::npos) {
            where.lastContentLine = i;
        }
    }
    return where;
}

bool hasLineBreakOrNul(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

bool hasEdgeBlanks(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    return blank(text.front()) || blank(text.back());
}

bool isStorableSection(std::string_view section) {
    return !section.empty() && !hasLineBreakOrNul(section) && !hasEdgeBlanks(section) &&
           section.find(']') == std::string_view::npos;
}

bool isStorableKey(std::string_view key) {
    return !key.empty() && !hasLineBreakOrNul(key) && !hasEdgeBlanks(key) &&
           key.find('=') == std::string_view::npos && key.front() != '[' && key.front() != ';';
}

std::string joinWithCrLf(const std::vector<std::string>& lines) {
    std::string content;
    for (const std::string& line : lines) {
        content += line;
        content += "\r\n";
    }
    return content;
}

} // namespace

PrivateProfile::PrivateProfile(std::string storedPath)
    : storedPath_(std::move(storedPath)) {}

std::string PrivateProfile::readString(std::string_view section, std::string_view key,
                                       std::string_view defaultValue,
                                       std::size_t bufferSize) const {
    std::optional<std::string_view> found;
    const std::optional<std::string> content = detail::readWholeFile(resolvePath(storedPath_));
    std::vector<std::string> lines;
    if (content.has_value()) {
        lines = detail::splitProfileLines(*content);
        const KeyLocation where = locateKey(lines, section, key);
        if (where.keyFound) {
            found = detail::classifyProfileLine(lines[where.keyLine]).value;
        }
    }
    return detail::profileReadResult(found, defaultValue, bufferSize);
}

bool isStorableProfileValue(std::string_view value) {
    return !hasLineBreakOrNul(value);
}

bool PrivateProfile::writeString(std::string_view section, std::string_view key,
                                 std::string_view value) const {
    if (!isStorableSection(section) || !isStorableKey(key) || !isStorableProfileValue(value)) {
        return false;
    }
    const std::string nativePath = resolvePath(storedPath_);
    std::vector<std::string> lines;
    if (const std::optional<std::string> content = detail::readWholeFile(nativePath)) {
        lines = detail::splitProfileLines(*content);
    } else if (pathExists(storedPath_)) {
        return false; // present but unreadable: rewriting it would lose its lines
    }
    const std::string valueText = detail::quoteProfileValue(value);
    const KeyLocation where = locateKey(lines, section, key);
    if (where.keyFound) {
        const std::string name(detail::classifyProfileLine(lines[where.keyLine]).name);
        lines[where.keyLine] = name + "=" + valueText;
    } else if (where.sectionFound) {
        const auto at = lines.begin() + static_cast<std::ptrdiff_t>(where.lastContentLine + 1);
        lines.insert(at, std::string(key) + "=" + valueText);
    } else {
        lines.push_back("[" + std::string(section) + "]");
        lines.push_back(std::string(key) + "=" + valueText);
    }
    return detail::replaceFileContent(nativePath, joinWithCrLf(lines));
}

} // namespace platform
