#include "wavefile/dss_layout.h"

#include <cstdio>
#include <cstring>

namespace wavefile {
namespace {

constexpr std::size_t kSignatureBytes = 4;

LayoutCheck verdict(LayoutVerdict kind, std::string reason) {
    LayoutCheck check;
    check.verdict = kind;
    check.reason = std::move(reason);
    return check;
}

// "06 64 73 73": the bytes a reader can look up among the recorders' formats.
std::string hexBytes(const unsigned char* bytes, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        char hex[4];
        std::snprintf(hex, sizeof hex, i == 0 ? "%02X" : " %02X", bytes[i]);
        text += hex;
    }
    return text;
}

LayoutCheck variant(const std::string& what) {
    return verdict(LayoutVerdict::Variant, "a DSS variant this converter does not decode: " + what);
}

LayoutCheck notDss(const std::string& why) {
    return verdict(LayoutVerdict::NotDss, "not a DSS file: " + why);
}

} // namespace

LayoutCheck CheckDssLayout(const unsigned char* start, uint64_t startBytes, uint64_t fileSize) {
    if (fileSize == 0)
        return notDss("the file is empty");
    if (startBytes < kSignatureBytes || std::memcmp(start + 1, "dss", 3) != 0)
        return notDss("it does not begin with a DSS signature");
    if (start[0] != 2 && start[0] != 3)
        return variant("it begins with " + hexBytes(start, kSignatureBytes));
    DssLayout layout;
    layout.version = start[0];
    layout.headerBytes = kDssBlockBytes * static_cast<uint64_t>(layout.version);
    if (fileSize < layout.headerBytes || startBytes <= kDssCodecOffset)
        return verdict(LayoutVerdict::Truncated, "the file is truncated: the header is incomplete");
    switch (start[kDssCodecOffset]) {
    case 0:
        layout.codec = DssCodec::StandardPlay;
        break;
    case 2:
        layout.codec = DssCodec::LongPlay;
        break;
    default:
        return variant("it begins with " + hexBytes(start, kSignatureBytes) + " and names codec " +
                       std::to_string(start[kDssCodecOffset]));
    }
    const uint64_t audioBytes = fileSize - layout.headerBytes;
    if (audioBytes % kDssBlockBytes != 0)
        return verdict(LayoutVerdict::Truncated,
                       "the file is truncated: the audio ends inside a block");
    layout.audioBlocks = audioBytes / kDssBlockBytes;
    if (layout.audioBlocks == 0)
        return verdict(LayoutVerdict::NoAudio,
                       "the file holds no audio: there is no audio after the header");
    LayoutCheck check;
    check.verdict = LayoutVerdict::Valid;
    check.layout = layout;
    return check;
}

} // namespace wavefile
