// Feeds arbitrary bytes to the VOX reader in each of its four encodings. The first input byte
// picks the encoding (and, with bit 2, a zero rate); the rest is the file.
#include "fuzz_input_file.h"
#include "seed_request.h"
#include "seeds.h"
#include "vox/vox_lists.h"
#include "vox/vox_plugin.h"

#include <cstdlib>

namespace {

void checkSuccess(const SoundHeader& header, const int16_t* body, std::size_t fileSize,
                  const vox::VoxFormat& format) {
    const std::size_t expected =
        format.formatTag == FORMAT_TAG_DIALOGIC_ADPCM ? 2 * fileSize : fileSize;
    if (body == nullptr || header.sampleCount != expected ||
        header.bitsPerSample != format.bitsPerSample || header.formatTag != format.formatTag) {
        __builtin_trap();
    }
    // Touch every sample: a body shorter than its count shows up under AddressSanitizer.
    volatile int16_t sink = 0;
    for (uint32_t i = 0; i < header.sampleCount; ++i) {
        sink = static_cast<int16_t>(sink ^ body[i]);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzing::writeSeedsIfAsked(writeVoxSeeds);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    static fuzzing::InputFile input("vox-input");
    const vox::VoxFormat& format = vox::voxFormats[data[0] & 3u];
    const bool zeroRate = (data[0] & 4u) != 0;
    input.assign(data + 1, size - 1);

    char errorText[512] = "";
    PluginOptions options{};
    options.useHeaderFormat = 1;
    options.errorText = errorText;
    SoundHeader header{format.formatTag, zeroRate ? 0u : 8000u, 0, 0};
    int16_t* body = nullptr;
    if (vox::openVox(input.path(), &header, &body, &options)) {
        checkSuccess(header, body, size - 1, format);
        std::free(body);
    } else {
        fuzzing::requireMessage(errorText);
    }
    return 0;
}
