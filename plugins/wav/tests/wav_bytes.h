// Building RIFF WAVE files byte by byte for the reader's tests.
#pragma once

#include "plugin_test_support.h"

#include <cstdint>
#include <initializer_list>
#include <optional>

namespace wavtest {

using plugintest::Bytes;

Bytes le16(uint16_t value);
Bytes le32(uint32_t value);
Bytes concat(std::initializer_list<Bytes> parts);

// A chunk: identifier, size (the body's unless declared otherwise), body, and a pad byte
// after a body of odd size unless `pad` is false.
Bytes chunk(const char* id, const Bytes& body, std::optional<uint32_t> declaredSize = {},
            bool pad = true);
// The 16 bytes of a "fmt " chunk body, then `extra` zero bytes.
Bytes formatBody(uint16_t formatTag, uint16_t channels, uint32_t sampleRate, uint16_t bitsPerSample,
                 std::size_t extra = 0);
// "RIFF", the size of what follows, the form type, then the chunks.
Bytes riff(const Bytes& chunks, const char* form = "WAVE", const char* id = "RIFF");
// A plain mono file: fmt, then data.
Bytes simpleWav(uint16_t formatTag, uint16_t bitsPerSample, const Bytes& data,
                uint32_t sampleRate = 8000);

} // namespace wavtest
