#pragma once
// The gauge's percentage: position x 100 / data size, both in samples, in integers wide
// enough for any file (a 32-bit product would overflow beyond 21,474,836 samples), 0 for an
// empty source and never above 100 (a compressed source may yield more than it declared).

#include <algorithm>
#include <cstdint>

namespace convert::steps {

inline int ConversionPercent(int64_t position, int64_t dataSize) {
    if (dataSize <= 0 || position <= 0)
        return 0;
    const auto clamped = static_cast<uint64_t>(std::min(position, dataSize));
    return static_cast<int>(clamped * 100u / static_cast<uint64_t>(dataSize));
}

} // namespace convert::steps
