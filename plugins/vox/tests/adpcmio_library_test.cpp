// The plug-in as the toolkit sees it: a library loaded by file name with three entries, and
// its own message state.
#include "library_loader.h"
#include "plugin_test_support.h"

#include "common/plugin_contract.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(AdpcmioLibrary, ExportsExactlyItsThreeEntries) {
    EXPECT_EQ(plugintest::exportedFunctions("Adpcmio.so"), "About OpenVox SaveVox");
}

TEST(AdpcmioLibrary, FailureWithoutABufferGoesToStandardErrorWithTheCaption) {
    plugintest::LoadedLibrary library("Adpcmio.so");
    ASSERT_TRUE(library.loaded()) << library.error();
    auto openVox = library.entry<PluginOpenEntry>("OpenVox");
    ASSERT_NE(openVox, nullptr);
    platform_test::TestFolder dir;
    const std::string name = dir.file("empty.vox");
    plugintest::writeBytes(name, {});
    PluginOptions options = plugintest::headerFormatOptions(nullptr);
    SoundHeader header{7, 8000, 0, 8};
    int16_t* body = nullptr;
    testing::internal::CaptureStderr();
    EXPECT_EQ(openVox(name.c_str(), &header, &body, &options), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              plugintest::text(101) + ": " + plugintest::messageWithName(111, name) + "\n");
}

TEST(AdpcmioLibrary, FailureWithABufferPrintsNothing) {
    plugintest::LoadedLibrary library("Adpcmio.so");
    ASSERT_TRUE(library.loaded()) << library.error();
    auto saveVox = library.entry<PluginSaveEntry>("SaveVox");
    ASSERT_NE(saveVox, nullptr);
    char errorText[512] = "";
    PluginOptions options = plugintest::headerFormatOptions(errorText);
    const int16_t samples[1] = {0};
    SoundHeader header{7, 8000, 1, 16};
    testing::internal::CaptureStderr();
    EXPECT_EQ(saveVox("/dev/full", &header, samples, &options), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(errorText, plugintest::systemErrorMessage(ENOSPC, "/dev/full"));
}

TEST(AdpcmioLibrary, RoundTripThroughTheExports) {
    plugintest::LoadedLibrary library("Adpcmio.so");
    ASSERT_TRUE(library.loaded()) << library.error();
    auto saveVox = library.entry<PluginSaveEntry>("SaveVox");
    auto openVox = library.entry<PluginOpenEntry>("OpenVox");
    auto about = library.entry<PluginAboutEntry>("About");
    ASSERT_TRUE(saveVox && openVox && about);
    platform_test::TestFolder dir;
    const std::string name = dir.file("call.vox");
    char errorText[512] = "";
    PluginOptions options = plugintest::headerFormatOptions(errorText);
    const std::vector<int16_t> samples = {0, 1000, -1000, 32767, -32768};
    SoundHeader header{7, 8000, 5, 16};
    ASSERT_EQ(saveVox(name.c_str(), &header, samples.data(), &options), 1) << errorText;
    SoundHeader reread{7, 8000, 0, 0};
    int16_t* body = nullptr;
    ASSERT_EQ(openVox(name.c_str(), &reread, &body, &options), 1) << errorText;
    EXPECT_EQ(reread.sampleCount, 5u);
    std::free(body);
    EXPECT_EQ(about(), 0) << "no Qt application object: the about dialog cannot be shown";
}

} // namespace
