// Without a Qt application object "WAVOPTIONS" cannot be shown: a save that needs it returns 0
// and touches nothing.
#include "plugin_test_support.h"
#include "wav/wav_plugin.h"

#include <gtest/gtest.h>

namespace {

TEST(WavWithoutGui, SaveThatNeedsTheDialogCreatesNoFile) {
    platform_test::TestFolder dir;
    const std::string name = dir.file("out.wav");
    char errorText[512] = "";
    PluginOptions options = plugintest::dialogOptions(errorText);
    const int16_t samples[2] = {1, 2};
    SoundHeader header{1, 8000, 2, 16};
    EXPECT_FALSE(wav::saveWav(name.c_str(), &header, samples, &options));
    EXPECT_FALSE(plugintest::fileExists(name));
    EXPECT_EQ(header.formatTag, 1);
    EXPECT_EQ(header.bitsPerSample, 16);
    EXPECT_STREQ(errorText, "");
}

TEST(WavWithoutGui, AboutCannotBeShown) {
    EXPECT_EQ(wav::showWavAbout(), 0);
}

} // namespace
