// Each plug-in as the toolkit sees it: a library loaded by file name with three entries and
// its own message state, whose message target belongs to one call.
#include "library_loader.h"
#include "plugin_test_support.h"

#include "common/plugin_contract.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

struct PluginLibraryCase {
    const char* name;
    const char* fileName;
    const char* exports; // sorted, blank-separated
    const char* openEntry;
    const char* saveEntry;
    const char* extension;
    unsigned emptyFileTextId; // what opening an empty file reports
    SoundHeader roundTripHeader;
};

void PrintTo(const PluginLibraryCase& c, std::ostream* out) {
    *out << c.name;
}

const PluginLibraryCase libraries[] = {
    {"Adpcmio",
     "Adpcmio.so",
     "About OpenVox SaveVox",
     "OpenVox",
     "SaveVox",
     ".vox",
     111,
     {7, 8000, 5, 16}},
    {"Riffio",
     "Riffio.so",
     "About OpenWav SaveWav",
     "OpenWav",
     "SaveWav",
     ".wav",
     112,
     {1, 8000, 5, 16}},
};

class PluginLibrary : public testing::TestWithParam<PluginLibraryCase> {
protected:
    void SetUp() override {
        ASSERT_TRUE(library.loaded()) << library.error();
        open = library.entry<PluginOpenEntry>(GetParam().openEntry);
        save = library.entry<PluginSaveEntry>(GetParam().saveEntry);
        ASSERT_TRUE(open != nullptr && save != nullptr);
        plugintest::writeBytes(emptyFile, {});
    }

    // Opens the empty file, which fails, with messages going to `errorText` (null: shown).
    uint8_t openEmptyFile(char* errorText) {
        PluginOptions options = plugintest::headerFormatOptions(errorText);
        SoundHeader header{7, 8000, 0, 8};
        int16_t* body = nullptr;
        return open(emptyFile.c_str(), &header, &body, &options);
    }
    std::string shownMessage() const {
        return plugintest::text(101) + ": " +
               plugintest::messageWithName(GetParam().emptyFileTextId, emptyFile) + "\n";
    }

    plugintest::LoadedLibrary library{GetParam().fileName};
    PluginOpenEntry open = nullptr;
    PluginSaveEntry save = nullptr;
    platform_test::TestFolder dir;
    const std::string emptyFile = dir.file(std::string("empty") + GetParam().extension);
};

TEST_P(PluginLibrary, ExportsExactlyItsThreeEntries) {
    EXPECT_EQ(plugintest::exportedFunctions(GetParam().fileName), GetParam().exports);
}

TEST_P(PluginLibrary, FailureWithoutABufferGoesToStandardErrorWithTheCaption) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(openEmptyFile(nullptr), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), shownMessage());
}

TEST_P(PluginLibrary, FailureWithABufferPrintsNothing) {
    char errorText[512] = "";
    PluginOptions options = plugintest::headerFormatOptions(errorText);
    const int16_t samples[1] = {0};
    SoundHeader header{7, 8000, 1, 16};
    testing::internal::CaptureStderr();
    EXPECT_EQ(save("/dev/full", &header, samples, &options), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(errorText, plugintest::systemErrorMessage(ENOSPC, "/dev/full"));
}

// The second call names no buffer: its message is shown, and the first caller's buffer, which
// that caller may have freed by now, is never written again.
TEST_P(PluginLibrary, MessageTargetBelongsToOneCall) {
    auto firstCallersBuffer = std::make_unique<char[]>(512);
    EXPECT_EQ(openEmptyFile(firstCallersBuffer.get()), 0);
    EXPECT_EQ(firstCallersBuffer.get(),
              plugintest::messageWithName(GetParam().emptyFileTextId, emptyFile));
    std::strcpy(firstCallersBuffer.get(), "untouched");

    testing::internal::CaptureStderr();
    EXPECT_EQ(openEmptyFile(nullptr), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), shownMessage());
    EXPECT_STREQ(firstCallersBuffer.get(), "untouched");

    firstCallersBuffer.reset();
    testing::internal::CaptureStderr();
    EXPECT_EQ(openEmptyFile(nullptr), 0) << "no write into the freed buffer";
    EXPECT_EQ(testing::internal::GetCapturedStderr(), shownMessage());
}

TEST_P(PluginLibrary, RoundTripThroughTheExports) {
    auto about = library.entry<PluginAboutEntry>("About");
    ASSERT_NE(about, nullptr);
    const std::string name = dir.file(std::string("call") + GetParam().extension);
    char errorText[512] = "";
    PluginOptions options = plugintest::headerFormatOptions(errorText);
    const std::vector<int16_t> samples = {0, 1000, -1000, 32767, -32768};
    SoundHeader header = GetParam().roundTripHeader;
    ASSERT_EQ(save(name.c_str(), &header, samples.data(), &options), 1) << errorText;
    SoundHeader reread = GetParam().roundTripHeader;
    int16_t* body = nullptr;
    ASSERT_EQ(open(name.c_str(), &reread, &body, &options), 1) << errorText;
    EXPECT_EQ(reread.sampleCount, 5u);
    std::free(body);
    EXPECT_EQ(about(), 0) << "no Qt application object: the about dialog cannot be shown";
}

INSTANTIATE_TEST_SUITE_P(BothPlugins, PluginLibrary, testing::ValuesIn(libraries));

// Both plug-ins loaded at once: a buffer given to one does not silence the other.
TEST(PluginLibraries, MessageStateIsNotSharedBetweenThePlugins) {
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
