#include "codecs/g711.h"

namespace codecs::detail {
namespace {

constexpr std::array<uint8_t, 65536> makeUlawTable() {
    std::array<uint8_t, 65536> table{};
    for (unsigned bits = 0; bits < table.size(); ++bits)
        table[bits] = ulawByteOfSample(static_cast<int16_t>(static_cast<uint16_t>(bits)));
    return table;
}

} // namespace

// Built by the compiler where it evaluates that many steps (GCC does), else once when the
// library is loaded; shared read-only by every caller.
const std::array<uint8_t, 65536> ulawOfSample = makeUlawTable();

} // namespace codecs::detail
