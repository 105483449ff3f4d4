// The seed corpus of the VOX fuzzer: for each encoding, its selector byte followed by a short
// sound written by the plug-in itself.
#include "seeds.h"

#include "vox/vox_lists.h"
#include "vox/vox_plugin.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

bool writeVoxSeeds(const std::string& folder) {
    std::vector<int16_t> samples(257);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<int16_t>(9000 * std::sin(i * 0.2) + 3000 * std::sin(i * 0.05));
    }
    for (unsigned index = 0; index < vox::voxFormats.size(); ++index) {
        const std::string encoded = folder + "/encoded.tmp";
        char errorText[512] = "";
        PluginOptions options{};
        options.useHeaderFormat = 1;
        options.errorText = errorText;
        SoundHeader header{vox::voxFormats[index].formatTag, 8000,
                           static_cast<uint32_t>(samples.size()), 16};
        if (!vox::saveVox(encoded.c_str(), &header, samples.data(), &options)) {
            std::fprintf(stderr, "%s\n", errorText);
            return false;
        }
        std::ifstream in(encoded, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        std::ofstream out(folder + "/encoding-" + std::to_string(index) + ".bin", std::ios::binary);
        out << static_cast<char>(index) << bytes;
        std::remove(encoded.c_str());
    }
    return true;
}
