#include "convert/time_stamp.h"

#include <array>

namespace convert {

namespace {

std::string Formatted(const std::tm& time, const std::string& format) {
    if (format.empty()) {
        return {};
    }
    std::array<char, 256> buffer{};
    const std::size_t length = std::strftime(buffer.data(), buffer.size(), format.c_str(), &time);
    return std::string(buffer.data(), length);
}

bool IsMidnightExactly(const std::tm& time) {
    return time.tm_hour == 0 && time.tm_min == 0 && time.tm_sec == 0;
}

} // namespace

std::string LogTimeStamp(const std::tm& time, const TimeStampFormats& formats) {
    std::string stamp = Formatted(time, formats.shortDate);
    if (!IsMidnightExactly(time)) {
        stamp += ' ';
        stamp += Formatted(time, formats.longTime);
    }
    return stamp;
}

} // namespace convert
