// The plug-in as the toolkit sees it: a library loaded by file name with three entries, and
// its own message state.
#include "library_loader.h"
#include "plugin_test_support.h"

#include "common/plugin_contract.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(RiffioLibrary, ExportsExactlyItsThreeEntries) {
    EXPECT_EQ(plugintest::exportedFunctions("Riffio.so"), "About OpenWav SaveWav");
}

TEST(RiffioLibrary, FailureWithoutABufferGoesToStandardErrorWithTheCaption) {
    plugintest::LoadedLibrary library("Riffio.so");
    ASSERT_TRUE(library.loaded()) << library.error();
    auto openWav = library.entry<PluginOpenEntry>("OpenWav");
    ASSERT_NE(openWav, nullptr);
    platform_test::TestFolder dir;
    const std::string name = dir.file("short.wav");
    plugintest::writeBytes(name, {'R', 'I', 'F', 'F'});
    PluginOptions options = plugintest::headerFormatOptions(nullptr);
    SoundHeader header{};
    int16_t* body = nullptr;
    testing::internal::CaptureStderr();
    EXPECT_EQ(openWav(name.c_str(), &header, &body, &options), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              plugintest::text(101) + ": " + plugintest::messageWithName(112, name) + "\n");
}

TEST(RiffioLibrary, FailureWithABufferPrintsNothing) {
    plugintest::LoadedLibrary library("Riffio.so");
    ASSERT_TRUE(library.loaded()) << library.error();
    auto openWav = library.entry<PluginOpenEntry>("OpenWav");
    ASSERT_NE(openWav, nullptr);
    platform_test::TestFolder dir;
    const std::string name = dir.file("absent.wav");
    char errorText[512] = "";
    PluginOptions options = plugintest::headerFormatOptions(errorText);
    SoundHeader header{};
    int16_t* body = nullptr;
    testing::internal::CaptureStderr();
    EXPECT_EQ(openWav(name.c_str(), &header, &body, &options), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(errorText, plugintest::systemErrorMessage(ENOENT, name));
}

TEST(RiffioLibrary, RoundTripThroughTheExports) {
    plugintest::LoadedLibrary library("Riffio.so");
    ASSERT_TRUE(library.loaded()) << library.error();
    auto saveWav = library.entry<PluginSaveEntry>("SaveWav");
    auto openWav = library.entry<PluginOpenEntry>("OpenWav");
    auto about = library.entry<PluginAboutEntry>("About");
    ASSERT_TRUE(saveWav && openWav && about);
    platform_test::TestFolder dir;
    const std::string name = dir.file("call.wav");
    char errorText[512] = "";
    PluginOptions options = plugintest::headerFormatOptions(errorText);
    const std::vector<int16_t> samples = {0, 1000, -1000, 32767, -32768};
    SoundHeader header{1, 8000, 5, 16};
    ASSERT_EQ(saveWav(name.c_str(), &header, samples.data(), &options), 1) << errorText;
    SoundHeader reread{};
    int16_t* body = nullptr;
    ASSERT_EQ(openWav(name.c_str(), &reread, &body, &options), 1) << errorText;
    EXPECT_EQ(std::vector<int16_t>(body, body + reread.sampleCount), samples);
    std::free(body);
    EXPECT_EQ(about(), 0) << "no Qt application object: the about dialog cannot be shown";
}

} // namespace

namespace {

// Both plug-ins loaded at once: a buffer given to one does not silence the other.
TEST(RiffioLibrary, MessageStateIsNotSharedWithTheOtherPlugin) {
    plugintest::LoadedLibrary vox("Adpcmio.so");
    plugintest::LoadedLibrary riff("Riffio.so");
    ASSERT_TRUE(vox.loaded() && riff.loaded()) << vox.error() << riff.error();
    auto openVox = vox.entry<PluginOpenEntry>("OpenVox");
    auto openWav = riff.entry<PluginOpenEntry>("OpenWav");
    ASSERT_TRUE(openVox && openWav);
    platform_test::TestFolder dir;
    const std::string name = dir.file("empty.snd");
    plugintest::writeBytes(name, {});

    char voxText[512] = "";
    PluginOptions withBuffer = plugintest::headerFormatOptions(voxText);
    SoundHeader header{7, 8000, 0, 8};
    int16_t* body = nullptr;
    EXPECT_EQ(openVox(name.c_str(), &header, &body, &withBuffer), 0);
    EXPECT_EQ(voxText, plugintest::messageWithName(111, name));

    PluginOptions noBuffer = plugintest::headerFormatOptions(nullptr);
    testing::internal::CaptureStderr();
    EXPECT_EQ(openWav(name.c_str(), &header, &body, &noBuffer), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              plugintest::text(101) + ": " + plugintest::messageWithName(112, name) + "\n");
    EXPECT_EQ(voxText, plugintest::messageWithName(111, name)) << "the VOX buffer is untouched";
}

} // namespace
