#include "plugins_under_test.h"

#include "vox/vox_plugin.h"
#include "wav/wav_plugin.h"

namespace plugintest {

const std::vector<PluginUnderTest>& pluginsUnderTest() {
    static const std::vector<PluginUnderTest> plugins = {
        {"vox", ".vox", vox::openVox, vox::saveVox, vox::showVoxAbout, "VOXABOUT", "VOXOPTIONS"},
        {"wav", ".wav", wav::openWav, wav::saveWav, wav::showWavAbout, "WAVABOUT", "WAVOPTIONS"},
    };
    return plugins;
}

} // namespace plugintest
