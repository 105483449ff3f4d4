// Which DSS converter runs and how long it may take: the program's defaults, which the
// environment can change (a stand-in converter, a shorter limit for tests, a slow machine).
#include "convert/dss_conversion.h"

#include "platform/paths.h"

#include <cmath>
#include <cstdlib>

namespace convert {
namespace {

using std::chrono::milliseconds;

constexpr double kDefaultBaseSeconds = 30;
// A day: anything longer is surely a typing error.
constexpr double kLongestBaseSeconds = 86400;
constexpr double kSecondsPerMegabyte = 2;
constexpr double kBytesPerMegabyte = 1 << 20;
constexpr int kLockWaitInBases = 10;

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

double BaseSeconds() {
    const std::string text = environmentValue("IMPORT_DICTCONV_TIME_LIMIT");
    char* end = nullptr;
    const double seconds = std::strtod(text.c_str(), &end);
    const bool valid = !text.empty() && *end == '\0' && std::isfinite(seconds) && seconds > 0 &&
                       seconds <= kLongestBaseSeconds;
    return valid ? seconds : kDefaultBaseSeconds;
}

milliseconds FromSeconds(double seconds) {
    return milliseconds(static_cast<long long>(std::ceil(seconds * 1000)));
}

} // namespace

std::string DefaultConverterPath() {
    const std::string chosen = environmentValue("IMPORT_DICTCONV");
    return chosen.empty() ? platform::executableFolder() + kConverterName : chosen;
}

milliseconds ConverterTimeLimit(std::uint64_t inputBytes) {
    const double megabytes = static_cast<double>(inputBytes) / kBytesPerMegabyte;
    return FromSeconds(BaseSeconds() + kSecondsPerMegabyte * megabytes);
}

milliseconds ResultLockWaitLimit() {
    return FromSeconds(kLockWaitInBases * BaseSeconds());
}

} // namespace convert
