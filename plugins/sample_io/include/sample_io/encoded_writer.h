// Encoding a body and writing it to a plug-in's file through one fixed buffer.
#pragma once

#include "common/plugin_file.h"

#include <cstddef>
#include <cstdint>

namespace sample_io {

// Samples per block.
inline constexpr std::size_t encodeBlockSamples = 4096;
// Blocks collected in the one fixed output buffer before each write: a write per 64 KB rather
// than per 4 KB, which over a 45-minute dictation saves thousands of system calls.
inline constexpr std::size_t blocksPerWrite = 16;

// Encodes `count` samples with the encoding of `formatTag` (1 means 8-bit unsigned PCM here)
// in blocks of encodeBlockSamples and writes them to `file`, blocksPerWrite blocks at a time; ADPCM
// carries its state from block to block, starting fresh for every call. A count of 0 writes nothing
// and succeeds. A failed write ends the loop and returns false (the file has reported it). Callers
// validate the tag first; an unknown tag writes nothing, reports string 103 with the tag and the
// file name, and returns false.
bool writeEncodedBlocks(common::PluginFile& file, const int16_t* samples, uint32_t count,
                        uint16_t formatTag);

} // namespace sample_io
