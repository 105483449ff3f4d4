// Failure messages of the WAV plug-in.
#pragma once

#include <cstdint>

namespace wav {

inline constexpr unsigned notRiffWaveTextId = 106;
inline constexpr unsigned unsupportedEncodingTextId = 107;
inline constexpr unsigned notMonoTextId = 108;
inline constexpr unsigned zeroRateTextId = 110;
inline constexpr unsigned zeroRateToWriteTextId = 104;
inline constexpr unsigned shortReadTextId = 112;
inline constexpr unsigned noSamplesTextId = 113;
inline constexpr unsigned tooLargeTextId = 116;

// String 103 expanded with the tag (into a 64-byte text), with the file name. Returns false.
bool reportUnsupportedTag(const char* fileName, uint16_t formatTag);
// `textId` with the file name. Returns false.
bool reportFailure(const char* fileName, unsigned textId);

} // namespace wav
