#include "dictconv/dss_layout.h"

#include <cstring>

namespace dictconv {
namespace {

LayoutCheck verdict(LayoutVerdict kind, std::string reason) {
    LayoutCheck check;
    check.verdict = kind;
    check.reason = std::move(reason);
    return check;
}

} // namespace

LayoutCheck CheckDssLayout(const unsigned char* start, uint64_t startBytes, uint64_t fileSize) {
    if (fileSize == 0)
        return verdict(LayoutVerdict::NotDss, "the file is empty");
    if (startBytes < 4 || (start[0] != 2 && start[0] != 3) || std::memcmp(start + 1, "dss", 3) != 0)
        return verdict(LayoutVerdict::NotDss, "it does not begin with a DSS signature");
    DssLayout layout;
    layout.version = start[0];
    layout.headerBytes = kDssBlockBytes * static_cast<uint64_t>(layout.version);
    if (fileSize < layout.headerBytes || startBytes <= kDssCodecOffset)
        return verdict(LayoutVerdict::Truncated, "the header is incomplete");
    switch (start[kDssCodecOffset]) {
    case 0:
        layout.codec = DssCodec::StandardPlay;
        break;
    case 2:
        layout.codec = DssCodec::LongPlay;
        break;
    default:
        return verdict(LayoutVerdict::NotDss,
                       "unknown codec " + std::to_string(start[kDssCodecOffset]));
    }
    const uint64_t audioBytes = fileSize - layout.headerBytes;
    if (audioBytes % kDssBlockBytes != 0)
        return verdict(LayoutVerdict::Truncated, "the audio ends inside a block");
    layout.audioBlocks = audioBytes / kDssBlockBytes;
    if (layout.audioBlocks == 0)
        return verdict(LayoutVerdict::NoAudio, "there is no audio after the header");
    LayoutCheck check;
    check.verdict = LayoutVerdict::Valid;
    check.layout = layout;
    return check;
}

} // namespace dictconv
