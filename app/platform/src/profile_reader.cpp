#include "platform/private_profile.h"

#include "ascii_case.h"
#include "platform/paths.h"
#include "profile_lines.h"

#include <cerrno>
#include <unordered_map>

namespace platform {

// Keys of the first section of each name; the first key of a name wins, as in locateKey.
struct ProfileReader::Index {
    bool fileExisted = false;
    int loadError = 0;
    std::unordered_map<std::string, std::unordered_map<std::string, std::string>> sections;
};

ProfileReader::ProfileReader(std::string_view storedPath)
    : index_(std::make_unique<Index>()) {
    const std::optional<std::string> content = detail::readWholeFile(resolvePath(storedPath));
    if (!content.has_value()) {
        index_->loadError = errno;
        return;
    }
    index_->fileExisted = true;
    std::unordered_map<std::string, std::string>* current = nullptr;
    for (const std::string& text : detail::splitProfileLines(*content)) {
        const detail::ProfileLine line = detail::classifyProfileLine(text);
        if (line.kind == detail::ProfileLineKind::Section) {
            const auto [it, isFirst] =
                index_->sections.try_emplace(detail::asciiLowered(line.name));
            current = isFirst ? &it->second : nullptr;
        } else if (line.kind == detail::ProfileLineKind::Key && current != nullptr) {
            current->try_emplace(detail::asciiLowered(line.name), line.value);
        }
    }
}

ProfileReader::~ProfileReader() = default;
ProfileReader::ProfileReader(ProfileReader&&) noexcept = default;
ProfileReader& ProfileReader::operator=(ProfileReader&&) noexcept = default;

bool ProfileReader::fileExisted() const {
    return index_ != nullptr && index_->fileExisted;
}

int ProfileReader::loadError() const {
    return index_ != nullptr ? index_->loadError : 0;
}

bool ProfileReader::hasSection(std::string_view section) const {
    return index_ != nullptr && index_->sections.count(detail::asciiLowered(section)) != 0;
}

std::string ProfileReader::readString(std::string_view section, std::string_view key,
                                      std::string_view defaultValue, std::size_t bufferSize) const {
    std::optional<std::string_view> found;
    if (index_ == nullptr) { // moved from
        return detail::profileReadResult(found, defaultValue, bufferSize);
    }
    const auto section_it = index_->sections.find(detail::asciiLowered(section));
    if (section_it != index_->sections.end()) {
        const auto key_it = section_it->second.find(detail::asciiLowered(key));
        if (key_it != section_it->second.end()) {
            found = key_it->second;
        }
    }
    return detail::profileReadResult(found, defaultValue, bufferSize);
}

} // namespace platform
