#include "codecs/expand.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

namespace codecs {
namespace {

struct NamedTable {
    const char* name;
    const DecodingTable* table;
};

void PrintTo(const NamedTable& named, std::ostream* os) {
    *os << named.name;
}

const NamedTable tables[] = {{"Pcm8", &pcm8Table}, {"Alaw", &alawTable}, {"Ulaw", &ulawTable}};

class ExpandInPlace : public ::testing::TestWithParam<std::tuple<NamedTable, uint32_t>> {};

constexpr std::size_t guardBytes = 16;
constexpr uint8_t guard = 0xC3;

// Every byte value appears, in an order that differs between neighbours.
std::vector<uint8_t> fileBytes(uint32_t count) {
    std::vector<uint8_t> bytes(count);
    for (uint32_t i = 0; i < count; ++i)
        bytes[i] = static_cast<uint8_t>(i * 167 + (i >> 8));
    return bytes;
}

TEST_P(ExpandInPlace, EachByteBecomesItsSample) {
    const auto [named, count] = GetParam();
    const std::vector<uint8_t> bytes = fileBytes(count);
    // A body of `count` samples followed by guard bytes that must stay untouched.
    std::vector<uint8_t> block(2 * std::size_t{count} + guardBytes, guard);
    std::copy(bytes.begin(), bytes.end(), block.begin());

    expandInPlace(count == 0 ? nullptr : block.data(), count, *named.table);

    int failures = 0;
    for (uint32_t i = 0; i < count && failures < 10; ++i) {
        int16_t sample;
        std::memcpy(&sample, block.data() + 2 * std::size_t{i}, sizeof sample);
        if (sample != (*named.table)[bytes[i]]) {
            ADD_FAILURE() << named.name << " count " << count << " sample " << i << ": " << sample
                          << " expected " << (*named.table)[bytes[i]];
            ++failures;
        }
    }
    for (std::size_t g = 0; g < guardBytes; ++g)
        EXPECT_EQ(block[2 * std::size_t{count} + g], guard) << "guard byte " << g;
}

INSTANTIATE_TEST_SUITE_P(TablesAndCounts, ExpandInPlace,
                         ::testing::Combine(::testing::ValuesIn(tables),
                                            ::testing::Values(0u, 1u, 2u, 7u, 8u, 9u, 15u, 16u, 17u,
                                                              255u, 4099u, 65536u)));

} // namespace
} // namespace codecs
