// Without a Qt application object the options and about dialogs cannot be shown: the calls
// that need them return 0 and touch nothing. Run for both plug-ins.
#include "plugin_test_support.h"
#include "plugins_under_test.h"

#include "platform_test/test_folder.h"
#include "vox/vox_plugin.h"

#include <gtest/gtest.h>

namespace {

using plugintest::PluginUnderTest;

class PluginWithoutGui : public testing::TestWithParam<PluginUnderTest> {};

TEST_P(PluginWithoutGui, SaveThatNeedsTheDialogCreatesNoFile) {
    platform_test::TestFolder dir;
    const std::string name = dir.file(std::string("out") + GetParam().extension);
    char errorText[512] = "";
    PluginOptions options = plugintest::dialogOptions(errorText);
    const int16_t samples[2] = {1, 2};
    SoundHeader header{1, 8000, 2, 16};
    EXPECT_FALSE(GetParam().save(name.c_str(), &header, samples, &options));
    EXPECT_FALSE(plugintest::fileExists(name));
    EXPECT_EQ(header.formatTag, 1);
    EXPECT_EQ(header.bitsPerSample, 16);
    EXPECT_STREQ(errorText, "");
}

TEST_P(PluginWithoutGui, AboutCannotBeShown) {
    EXPECT_EQ(GetParam().about(), 0);
}

INSTANTIATE_TEST_SUITE_P(BothPlugins, PluginWithoutGui,
                         testing::ValuesIn(plugintest::pluginsUnderTest()));

// Only a VOX file asks for its encoding when it is opened.
TEST(VoxWithoutGui, OpenThatNeedsTheDialogTouchesNothing) {
    platform_test::TestFolder dir;
    const std::string name = dir.file("in.vox");
    plugintest::writeBytes(name, {1, 2, 3});
    char errorText[512] = "";
    PluginOptions options = plugintest::dialogOptions(errorText, 2, 1);
    SoundHeader header{6, 1234, 99, 12};
    int16_t sentinel = 0;
    int16_t* body = &sentinel;
    EXPECT_FALSE(vox::openVox(name.c_str(), &header, &body, &options));
    EXPECT_EQ(body, &sentinel);
    EXPECT_EQ(header.formatTag, 6);
    EXPECT_EQ(header.sampleRate, 1234u);
    EXPECT_EQ(header.sampleCount, 99u);
    EXPECT_EQ(options.formatIndex, 2);
    EXPECT_EQ(options.rateIndex, 1);
    EXPECT_STREQ(errorText, "");
}

} // namespace
