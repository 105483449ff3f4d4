#include "formats.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <limits>

namespace quiesc_tool {
namespace {

struct NamedFormat {
    const char* name;
    uint32_t formatCode;
};

constexpr NamedFormat namedFormats[] = {
    {"ulaw", 7}, {"alaw", 6}, {"adpcm", 23}, {"pcm8", QC_FORMAT_PCM8}, {"pcm16", QC_FORMAT_PCM16},
};

std::string lowerCase(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

std::optional<uint32_t> parseUnsigned(const std::string& text, int base) {
    if (text.empty() || !std::isxdigit(static_cast<unsigned char>(text[0]))) {
        return std::nullopt; // strtoul would accept a sign or blanks
    }
    errno = 0;
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text.c_str(), &end, base);
    if (errno != 0 || *end != '\0' || value > std::numeric_limits<uint32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<uint32_t>(value);
}

} // namespace

std::optional<uint32_t> parseFormatCode(const std::string& text) {
    const std::string lower = lowerCase(text);
    for (const NamedFormat& format : namedFormats) {
        if (lower == format.name) {
            return format.formatCode;
        }
    }
    if (lower.rfind("0x", 0) == 0) {
        return parseUnsigned(lower.substr(2), 16);
    }
    return parseUnsigned(lower, 10);
}

std::optional<uint32_t> parseRate(const std::string& text) {
    for (const char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            return std::nullopt;
        }
    }
    return parseUnsigned(text, 10);
}

uint32_t formatCodeOf(const SoundHeader& header) {
    if (header.formatTag == 1) {
        return header.bitsPerSample == 8 ? QC_FORMAT_PCM8 : QC_FORMAT_PCM16;
    }
    return header.formatTag;
}

std::string encodingName(const SoundHeader& header) {
    switch (header.formatTag) {
    case 1:
        return std::to_string(header.bitsPerSample) + "-bit PCM";
    case 6:
        return "A-law";
    case 7:
        return "u-law";
    case 23:
        return "Dialogic ADPCM";
    default:
        return "format tag " + std::to_string(header.formatTag);
    }
}

} // namespace quiesc_tool
