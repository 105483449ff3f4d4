#include "test_support.h"

#include "Quiesc.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

using toolkit_test::lastError;
using toolkit_test::PluginFolder;
using toolkit_test::TempFolder;

namespace {

constexpr unsigned char untouched = 0xA5;

// Fills a buffer larger than the text, so that any write past position 511 shows.
struct GuardedBuffer {
    char bytes[QC_ERROR_TEXT_SIZE + 64];
    GuardedBuffer() { std::memset(bytes, untouched, sizeof bytes); }
    bool tailUntouched() const {
        for (std::size_t i = QC_ERROR_TEXT_SIZE; i < sizeof bytes; ++i) {
            if (static_cast<unsigned char>(bytes[i]) != untouched) {
                return false;
            }
        }
        return true;
    }
};

bool emptyTextWithFullZeroFill() {
    GuardedBuffer buffer;
    if (GetLastQcErrorText(buffer.bytes) != buffer.bytes) {
        std::fprintf(stderr, "the buffer was not returned\n");
        return false;
    }
    for (int i = 0; i < QC_ERROR_TEXT_SIZE; ++i) {
        if (buffer.bytes[i] != '\0') {
            std::fprintf(stderr, "position %d is not zero\n", i);
            return false;
        }
    }
    if (!buffer.tailUntouched()) {
        std::fprintf(stderr, "written past position 511\n");
        return false;
    }
    return true;
}

TEST(LastErrorText, IsEmptyRightAfterLoading) {
    EXPECT_IN_FRESHLY_LOADED_TOOLKIT(emptyTextWithFullZeroFill);
}

TEST(LastErrorText, WritesTheTextThenZerosUpToExactly512Characters) {
    SoundHeader header{};
    int16_t* body = nullptr;
    ASSERT_EQ(OpenSoundFile("clip.mp3", &header, &body), QC_OPEN_FAILED);
    const std::string expected = "No plug-in handles this kind of file (\"clip.mp3\").";

    GuardedBuffer buffer;
    GetLastQcErrorText(buffer.bytes);
    EXPECT_EQ(std::string(buffer.bytes), expected);
    for (std::size_t i = expected.size(); i < QC_ERROR_TEXT_SIZE; ++i) {
        ASSERT_EQ(buffer.bytes[i], '\0') << "position " << i;
    }
    EXPECT_TRUE(buffer.tailUntouched()) << "written past position 511";
}

TEST(LastErrorText, LongMessageIsCutTo511CharactersAndNothingIsWrittenPast) {
    const std::string name = std::string(900, 'n') + ".mp3";
    SoundHeader header{};
    int16_t* body = nullptr;
    ASSERT_EQ(OpenSoundFile(name.c_str(), &header, &body), QC_OPEN_FAILED);

    GuardedBuffer buffer;
    GetLastQcErrorText(buffer.bytes);
    EXPECT_EQ(buffer.bytes[QC_ERROR_TEXT_SIZE - 1], '\0');
    const std::string text(buffer.bytes);
    EXPECT_EQ(text.size(), QC_ERROR_TEXT_SIZE - 1u);
    EXPECT_EQ(text.rfind("No plug-in handles this kind of file (\"nnn", 0), 0u) << text;
    EXPECT_TRUE(buffer.tailUntouched());
}

TEST(LastErrorText, NullBufferIsRefusedWithoutWriting) {
    EXPECT_EQ(GetLastQcErrorText(nullptr), nullptr);
}

TEST(LastErrorText, SuccessKeepsTheMessageOfTheLastFailure) {
    SoundHeader header{};
    int16_t* body = nullptr;
    ASSERT_EQ(OpenSoundFile("take1.aiff", &header, &body), QC_OPEN_FAILED);
    const std::string failure = lastError();
    ASSERT_FALSE(failure.empty());

    ASSERT_EQ(AllocateSoundBody(&body, 4), QC_OK);
    TempFolder folder;
    PluginFolder plugins(PluginFolder::standIn("recorder"));
    header = SoundHeader{1, 8000, 4, 16};
    EXPECT_EQ(SaveSoundFileEx(folder.file("out.vox").c_str(), &header, &body, 7), QC_OK);
    FreeSoundBody(body);

    EXPECT_EQ(lastError(), failure);
}

TEST(LastErrorText, APluginsMessageLandsInTheToolkitsText) {
    TempFolder folder;
    PluginFolder plugins(PluginFolder::standIn("failing"));
    const std::string name = folder.file("in.wav");
    SoundHeader header{};
    int16_t* body = nullptr;
    EXPECT_EQ(OpenSoundFileEx(name.c_str(), &header, &body, 0, 0), QC_OPEN_FAILED);
    EXPECT_EQ(lastError(), "Unexpected end of file (\"" + name + "\").");
}

} // namespace
