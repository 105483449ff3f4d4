#include "convert/text_cut.h"

#include <climits>
#include <cstdio>

namespace convert {

namespace {

bool IsUtf8Continuation(unsigned char byte) {
    return (byte & 0xC0U) == 0x80U;
}

// The number of bytes of the UTF-8 sequence a lead byte starts (1 for ASCII and stray bytes).
std::size_t Utf8SequenceLength(unsigned char lead) {
    if ((lead & 0xE0U) == 0xC0U) {
        return 2;
    }
    if ((lead & 0xF0U) == 0xE0U) {
        return 3;
    }
    if ((lead & 0xF8U) == 0xF0U) {
        return 4;
    }
    return 1;
}

bool IsCWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= 0x20U;
}

} // namespace

std::string_view CutText(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) {
        return text;
    }
    if (!IsUtf8Continuation(static_cast<unsigned char>(text[maxBytes]))) {
        return text.substr(0, maxBytes);
    }
    // Step back to the lead byte of the character the cut falls into; keep the cut where it
    // is when no lead byte of a sequence crossing the cut is found (not UTF-8 text).
    for (std::size_t back = 1; back <= 3 && back <= maxBytes; ++back) {
        const std::size_t leadAt = maxBytes - back;
        const auto lead = static_cast<unsigned char>(text[leadAt]);
        if (!IsUtf8Continuation(lead)) {
            return Utf8SequenceLength(lead) > back ? text.substr(0, leadAt)
                                                   : text.substr(0, maxBytes);
        }
    }
    return text.substr(0, maxBytes);
}

std::size_t FirstCharacterLength(std::string_view text) {
    if (text.empty()) {
        return 0;
    }
    const std::size_t length = Utf8SequenceLength(static_cast<unsigned char>(text[0]));
    if (length > text.size()) {
        return 1;
    }
    for (std::size_t at = 1; at < length; ++at) {
        if (!IsUtf8Continuation(static_cast<unsigned char>(text[at]))) {
            return 1;
        }
    }
    return length;
}

std::string LeftJustified(std::string_view text, std::size_t width) {
    std::string field(CutText(text, width));
    field.append(width - field.size(), ' ');
    return field;
}

std::string RightJustified(std::string_view text, std::size_t width) {
    std::string field;
    if (text.size() < width) {
        field.append(width - text.size(), ' ');
    }
    field.append(text);
    return field;
}

std::string_view TrimBlanksAndControls(std::string_view text) {
    std::size_t first = 0;
    while (first < text.size() && IsBlankOrControl(text[first])) {
        ++first;
    }
    std::size_t end = text.size();
    while (end > first && IsBlankOrControl(text[end - 1])) {
        --end;
    }
    return text.substr(first, end - first);
}

int ReadNumberLikeAtol(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && IsCWhiteSpace(text[at])) {
        ++at;
    }
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    // Accumulated as a negative number, whose range reaches INT_MIN.
    long long value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        value = value * 10 - (text[at] - '0');
        if (value < INT_MIN) {
            value = INT_MIN;
        }
    }
    if (negative) {
        return static_cast<int>(value);
    }
    return value < -static_cast<long long>(INT_MAX) ? INT_MAX : static_cast<int>(-value);
}

std::string ZeroPadded(long long number, int minDigits) {
    char buffer[48];
    const int length = std::snprintf(buffer, sizeof buffer, "%.*lli", minDigits, number);
    return length > 0 ? std::string(buffer, static_cast<std::size_t>(length)) : std::string();
}

} // namespace convert
