// The three byte-to-sample expansions of the 8-bit encodings, built at compile time from the
// rules of each encoding.
#pragma once

#include <array>
#include <cstdint>

namespace codecs {

using DecodingTable = std::array<int16_t, 256>;

namespace detail {

constexpr int16_t pcm8Sample(unsigned byte) {
    return static_cast<int16_t>((static_cast<int>(byte) - 128) * 256);
}

// The G.711 A-law expansion scaled to 16 bits: 0xD5 gives 8, 0x55 gives -8.
constexpr int16_t alawSample(unsigned byte) {
    const unsigned bits = byte ^ 0x55;
    int t = static_cast<int>((bits & 0x0F) << 4);
    const unsigned segment = (bits >> 4) & 0x07;
    if (segment == 0)
        t += 8;
    else if (segment == 1)
        t += 0x108;
    else
        t = (t + 0x108) << (segment - 1);
    return static_cast<int16_t>((bits & 0x80) ? t : -t);
}

// The G.711 u-law expansion scaled to 16 bits: 0xFF and 0x7F both give 0.
constexpr int16_t ulawSample(unsigned byte) {
    const unsigned bits = ~byte & 0xFF;
    const int t = static_cast<int>((((bits & 0x0F) << 3) + 132) << ((bits >> 4) & 0x07));
    return static_cast<int16_t>((bits & 0x80) ? 132 - t : t - 132);
}

constexpr DecodingTable makeDecodingTable(int16_t (*expand)(unsigned)) {
    DecodingTable table{};
    for (unsigned byte = 0; byte < table.size(); ++byte)
        table[byte] = expand(byte);
    return table;
}

} // namespace detail

inline constexpr DecodingTable pcm8Table = detail::makeDecodingTable(detail::pcm8Sample);
inline constexpr DecodingTable alawTable = detail::makeDecodingTable(detail::alawSample);
inline constexpr DecodingTable ulawTable = detail::makeDecodingTable(detail::ulawSample);

} // namespace codecs
