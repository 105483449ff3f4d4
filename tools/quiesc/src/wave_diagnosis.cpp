#include "wave_diagnosis.h"

#include <cstdint>
#include <cstring>
#include <fstream>

namespace quiesc_tool {
namespace {

uint32_t littleEndian(const unsigned char* bytes, int width) {
    uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i) {
        value = value << 8 | bytes[i];
    }
    return value;
}

std::string plural(uint32_t count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

} // namespace

std::string describeWaveFormat(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    unsigned char riff[12];
    if (!in.read(reinterpret_cast<char*>(riff), sizeof riff) || std::memcmp(riff, "RIFF", 4) != 0 ||
        std::memcmp(riff + 8, "WAVE", 4) != 0) {
        return {};
    }
    unsigned char chunk[8];
    while (in.read(reinterpret_cast<char*>(chunk), sizeof chunk)) {
        const uint32_t size = littleEndian(chunk + 4, 4);
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            unsigned char fields[16] = {};
            in.read(reinterpret_cast<char*>(fields), sizeof fields);
            return "format tag " + std::to_string(littleEndian(fields, 2)) + ", " +
                   plural(littleEndian(fields + 14, 2), "bit", "bits") + " per sample, " +
                   plural(littleEndian(fields + 2, 2), "channel", "channels");
        }
        if (std::memcmp(chunk, "data", 4) == 0) {
            break;
        }
        in.seekg(size + (size & 1u), std::ios::cur);
    }
    return "no format chunk";
}

} // namespace quiesc_tool
