#include "plugin_test_support.h"

#include "textpack/Textpack.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace plugintest {

Bytes readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes{std::istreambuf_iterator<char>(in), {}};
}

void writeBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

bool fileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

PluginOptions headerFormatOptions(char* errorText) {
    PluginOptions options{};
    options.useHeaderFormat = 1;
    options.errorText = errorText;
    return options;
}

PluginOptions dialogOptions(char* errorText, uint16_t formatIndex, uint16_t rateIndex) {
    PluginOptions options{};
    options.errorText = errorText;
    options.formatIndex = formatIndex;
    options.rateIndex = rateIndex;
    return options;
}

std::string text(unsigned id) {
    char buffer[512];
    TextpackLoadString(id, buffer, sizeof buffer);
    return buffer;
}

std::string messageWithName(unsigned id, const std::string& name) {
    return text(id) + " (\"" + name + "\").";
}

std::string unsupportedTagMessage(uint16_t formatTag, const std::string& name) {
    char expanded[128];
    std::snprintf(expanded, sizeof expanded, text(103).c_str(), int{formatTag});
    return std::string(expanded) + " (\"" + name + "\").";
}

std::string systemErrorMessage(int error, const std::string& name) {
    return std::string(std::strerror(error)) + " (\"" + name + "\").";
}

std::vector<int16_t> testSignal(uint32_t count) {
    std::vector<int16_t> samples(count);
    for (uint32_t i = 0; i < count; ++i) {
        const double envelope = std::sin(i * 0.0031) * 0.9 + 0.1;
        const double value = 40000.0 * envelope * std::sin(i * 0.37) + 900 * std::sin(i * 2.1);
        samples[i] = static_cast<int16_t>(std::lround(std::fmax(-32768, std::fmin(32767, value))));
    }
    if (count >= 2) {
        samples[0] = -32768;
        samples[1] = 32767;
    }
    return samples;
}

Bytes byteSweep(std::size_t count) {
    Bytes bytes(count);
    for (std::size_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<uint8_t>(i * 7 + i / 256);
    }
    return bytes;
}

} // namespace plugintest
