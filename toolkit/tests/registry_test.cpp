// Choosing a plug-in by the file name's extension, and the messages when none can be called.
#include "test_support.h"

#include "Quiesc.h"

#include <gtest/gtest.h>

#include <string>

using toolkit_test::lastError;
using toolkit_test::PluginFolder;
using toolkit_test::readRecord;
using toolkit_test::TempFolder;

namespace {

struct ChoiceCase {
    const char* name; // below a temporary folder without dots in its path
    const char* library;
    const char* openEntry;
    const char* saveEntry;
};

void PrintTo(const ChoiceCase& c, std::ostream* out) {
    *out << '"' << c.name << '"';
}

class ExtensionChoiceTest : public testing::TestWithParam<ChoiceCase> {
protected:
    TempFolder folder_;
    PluginFolder plugins_{PluginFolder::standIn("recorder")};
};

TEST_P(ExtensionChoiceTest, OpenCallsTheRowsLibraryAndEntry) {
    const ChoiceCase& c = GetParam();
    const std::string name = folder_.file(c.name);
    SoundHeader header{};
    int16_t* body = nullptr;
    ASSERT_EQ(OpenSoundFileEx(name.c_str(), &header, &body, 0, 0), QC_OK) << lastError();
    FreeSoundBody(body);
    const auto call = readRecord(name);
    ASSERT_TRUE(call);
    EXPECT_STREQ(call->library, c.library);
    EXPECT_STREQ(call->entry, c.openEntry);
}

TEST_P(ExtensionChoiceTest, SaveCallsTheRowsLibraryAndEntry) {
    const ChoiceCase& c = GetParam();
    const std::string name = folder_.file(c.name);
    int16_t* body = nullptr;
    ASSERT_EQ(AllocateSoundBody(&body, 1), QC_OK);
    body[0] = 5;
    SoundHeader header{1, 8000, 1, 16};
    ASSERT_EQ(SaveSoundFileEx(name.c_str(), &header, &body, 7), QC_OK) << lastError();
    FreeSoundBody(body);
    const auto call = readRecord(name);
    ASSERT_TRUE(call);
    EXPECT_STREQ(call->library, c.library);
    EXPECT_STREQ(call->entry, c.saveEntry);
}

INSTANTIATE_TEST_SUITE_P(Names, ExtensionChoiceTest,
                         testing::Values(ChoiceCase{"take.vox", "Adpcmio", "OpenVox", "SaveVox"},
                                         ChoiceCase{"take.wav", "Riffio", "OpenWav", "SaveWav"},
                                         ChoiceCase{"NOTE.WAV", "Riffio", "OpenWav", "SaveWav"},
                                         ChoiceCase{"memo.VoX", "Adpcmio", "OpenVox", "SaveVox"},
                                         ChoiceCase{"a.b.vox", "Adpcmio", "OpenVox", "SaveVox"},
                                         ChoiceCase{"a.wav.vox", "Adpcmio", "OpenVox", "SaveVox"},
                                         ChoiceCase{"a.vox.wav", "Riffio", "OpenWav", "SaveWav"}));

// Names for which no row exists; nothing is loaded, so no plug-in folder is needed.
class NoRowTest : public testing::TestWithParam<const char*> {};

TEST_P(NoRowTest, OpenFailsWithString502AndTheName) {
    const char* name = GetParam();
    SoundHeader header{};
    int16_t* body = nullptr;
    EXPECT_EQ(OpenSoundFile(name, &header, &body), QC_OPEN_FAILED);
    EXPECT_EQ(lastError(), std::string("No plug-in handles this kind of file (\"") + name + "\").");
}

TEST_P(NoRowTest, SaveFailsWithString502AndLeavesTheHeader) {
    const char* name = GetParam();
    int16_t samples[2] = {1, 2};
    int16_t* body = samples;
    SoundHeader header{1, 8000, 2, 16};
    EXPECT_EQ(SaveSoundFileEx(name, &header, &body, 23), QC_SAVE_FAILED);
    EXPECT_EQ(header.formatTag, 1);
    EXPECT_EQ(header.sampleRate, 8000u);
    EXPECT_EQ(header.sampleCount, 2u);
    EXPECT_EQ(header.bitsPerSample, 16);
    EXPECT_EQ(lastError(), std::string("No plug-in handles this kind of file (\"") + name + "\").");
}

INSTANTIATE_TEST_SUITE_P(Names, NoRowTest,
                         testing::Values("dir.v\\name", // the only dot is in a folder name
                                         ".wav",        // the search starts at the second char
                                         "name.",       // the empty extension
                                         "memo",        // no dot at all
                                         "take.mp3", "take.wave", "take.wa", "take.vox ",
                                         "take.v\xD6x", ""));

TEST(Registry, NullFileNameFailsWith502AndAnEmptyName) {
    SoundHeader header{};
    int16_t* body = nullptr;
    EXPECT_EQ(OpenSoundFile(nullptr, &header, &body), QC_OPEN_FAILED);
    EXPECT_EQ(lastError(), "No plug-in handles this kind of file (\"\").");
}

struct MissingPartCase {
    const char* extension;
    const char* folder;  // stand-in folder, or null for a folder with a damaged library
    const char* message; // without the final full stop
};

void PrintTo(const MissingPartCase& c, std::ostream* out) {
    *out << c.extension << " with " << (c.folder ? c.folder : "a damaged library");
}

class MissingPartTest : public testing::TestWithParam<MissingPartCase> {
protected:
    // A file under the plug-in's name that is not a library at all.
    static void placeDamagedLibraries(const TempFolder& folder) {
        toolkit_test::writeFile(folder.file("Adpcmio.so"), "not a library");
        toolkit_test::writeFile(folder.file("Riffio.so"), "not a library");
    }
};

TEST_P(MissingPartTest, OpenAndSaveReportTheTableName) {
    const MissingPartCase& c = GetParam();
    TempFolder folder;
    placeDamagedLibraries(folder);
    PluginFolder plugins(c.folder ? PluginFolder::standIn(c.folder) : folder.str());
    const std::string name = folder.file(std::string("take.") + c.extension);
    const std::string expected = std::string(c.message) + ".";

    SoundHeader header{};
    int16_t* body = nullptr;
    EXPECT_EQ(OpenSoundFile(name.c_str(), &header, &body), QC_OPEN_FAILED);
    EXPECT_EQ(lastError(), expected) << "OpenSoundFile";
    EXPECT_EQ(OpenSoundFileEx(name.c_str(), &header, &body, 7, 8000), QC_OPEN_FAILED);
    EXPECT_EQ(lastError(), expected) << "OpenSoundFileEx";

    int16_t samples[1] = {0};
    body = samples;
    header = SoundHeader{1, 8000, 1, 16};
    EXPECT_EQ(SaveSoundFileEx(name.c_str(), &header, &body, 23), QC_SAVE_FAILED);
    EXPECT_EQ(lastError(), expected) << "SaveSoundFileEx";
    EXPECT_EQ(header.formatTag, 1) << "header restored";
    EXPECT_EQ(header.bitsPerSample, 16) << "header restored";
    EXPECT_EQ(SaveSoundFile(name.c_str(), &header, &body), QC_SAVE_FAILED);
    EXPECT_EQ(lastError(), expected) << "SaveSoundFile";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MissingPartTest,
    testing::Values(
        MissingPartCase{"vox", "noentry", "The Dialogic VOX plug-in lacks its entry point"},
        MissingPartCase{"wav", "noentry", "The Windows WAV plug-in lacks its entry point"},
        MissingPartCase{"vox", nullptr, "The plug-in library Adpcmio.dll could not be loaded"},
        MissingPartCase{"wav", nullptr, "The plug-in library Riffio.dll could not be loaded"}));

TEST(Registry, FailedSaveRestoresAHeaderThePluginScribbledOn) {
    TempFolder folder;
    PluginFolder plugins(PluginFolder::standIn("failing"));
    const std::string name = folder.file("out.vox");
    int16_t samples[3] = {1, 2, 3};
    int16_t* body = samples;
    SoundHeader header{1, 11025, 3, 16};
    EXPECT_EQ(SaveSoundFileEx(name.c_str(), &header, &body, 23), QC_SAVE_FAILED);
    EXPECT_EQ(header.formatTag, 1);
    EXPECT_EQ(header.sampleRate, 11025u);
    EXPECT_EQ(header.sampleCount, 3u);
    EXPECT_EQ(header.bitsPerSample, 16);
    EXPECT_EQ(lastError(), "Not all of the data could be written (\"" + name + "\").");
    EXPECT_EQ(body, samples) << "the body pointer is the caller's";
}

TEST(Registry, FailedOpenReturnsOneWithThePluginsMessage) {
    TempFolder folder;
    PluginFolder plugins(PluginFolder::standIn("failing"));
    const std::string name = folder.file("in.vox");
    SoundHeader header{};
    int16_t* body = nullptr;
    EXPECT_EQ(OpenSoundFile(name.c_str(), &header, &body), QC_OPEN_FAILED);
    EXPECT_EQ(lastError(), "Unexpected end of file (\"" + name + "\").");
}

TEST(Registry, SavedHeaderKeepsWhatThePluginWrote) {
    TempFolder folder;
    PluginFolder plugins(PluginFolder::standIn("recorder"));
    int16_t samples[2] = {7, 8};
    int16_t* body = samples;
    SoundHeader header{1, 8000, 2, 16};
    ASSERT_EQ(SaveSoundFileEx(folder.file("out.wav").c_str(), &header, &body, 6), QC_OK);
    EXPECT_EQ(header.formatTag, 6);
    EXPECT_EQ(header.bitsPerSample, recorderSavedBits);
}

} // namespace
