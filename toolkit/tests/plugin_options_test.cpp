// What a plug-in receives: the header, the body argument and the options record of each export.
#include "test_support.h"

#include "Quiesc.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

using toolkit_test::lastError;
using toolkit_test::PluginFolder;
using toolkit_test::readRecord;
using toolkit_test::TempFolder;

namespace {

std::optional<RecordedCall> openThroughTable(const std::string& name) {
    SoundHeader header{};
    int16_t* body = nullptr;
    if (OpenSoundFile(name.c_str(), &header, &body) != QC_OK) {
        return std::nullopt;
    }
    FreeSoundBody(body);
    return readRecord(name);
}

bool reportIndexes(const char* what, const std::optional<RecordedCall>& call, uint16_t format,
                   uint16_t rate) {
    if (!call) {
        std::fprintf(stderr, "%s: no call recorded (%s)\n", what, lastError().c_str());
        return false;
    }
    if (call->formatIndex != format || call->rateIndex != rate) {
        std::fprintf(stderr, "%s: saw formatIndex %u rateIndex %u, expected %u %u\n", what,
                     call->formatIndex, call->rateIndex, format, rate);
        return false;
    }
    return true;
}

// Run in a freshly loaded toolkit: the open VOX row starts on rate index 2; the plug-in's
// choices (here: one more of each) are what the next call through the same row sees.
bool openRowsRememberTheChoices() {
    TempFolder folder;
    PluginFolder plugins(PluginFolder::standIn("recorder"));
    return reportIndexes("first VOX open", openThroughTable(folder.file("a.vox")), 0, 2) &&
           reportIndexes("second VOX open", openThroughTable(folder.file("b.vox")), 1, 3) &&
           reportIndexes("first WAV open", openThroughTable(folder.file("a.wav")), 0, 0) &&
           reportIndexes("third VOX open", openThroughTable(folder.file("c.vox")), 2, 4);
}

TEST(PluginOptions, OpenRowsStartAsLoadedAndRememberTheChoices) {
    EXPECT_IN_FRESHLY_LOADED_TOOLKIT(openRowsRememberTheChoices);
}

std::optional<RecordedCall> saveThroughTable(const std::string& name) {
    int16_t samples[1] = {0};
    int16_t* body = samples;
    SoundHeader header{1, 8000, 1, 16};
    if (SaveSoundFile(name.c_str(), &header, &body) != QC_OK) {
        return std::nullopt;
    }
    return readRecord(name);
}

bool saveRowsAreSeparateFromOpenRows() {
    TempFolder folder;
    PluginFolder plugins(PluginFolder::standIn("recorder"));
    return reportIndexes("first VOX save", saveThroughTable(folder.file("a.vox")), 0, 0) &&
           reportIndexes("VOX open", openThroughTable(folder.file("b.vox")), 0, 2) &&
           reportIndexes("second VOX save", saveThroughTable(folder.file("c.vox")), 1, 1);
}

TEST(PluginOptions, SaveRowsKeepTheirOwnRecords) {
    EXPECT_IN_FRESHLY_LOADED_TOOLKIT(saveRowsAreSeparateFromOpenRows);
}

bool exExportsLeaveTheRowsAlone() {
    TempFolder folder;
    PluginFolder plugins(PluginFolder::standIn("recorder"));
    SoundHeader header{};
    int16_t* body = nullptr;
    for (int i = 0; i < 3; ++i) {
        if (OpenSoundFileEx(folder.file("x.vox").c_str(), &header, &body, 7, 8000) != QC_OK) {
            return false;
        }
        if (!reportIndexes("Ex open", readRecord(folder.file("x.vox")), 0, 0)) {
            return false;
        }
        if (SaveSoundFileEx(folder.file("y.vox").c_str(), &header, &body, 7) != QC_OK) {
            return false;
        }
        FreeSoundBody(body);
    }
    return reportIndexes("VOX open after the Ex calls", openThroughTable(folder.file("z.vox")), 0,
                         2);
}

TEST(PluginOptions, ExExportsPassAFreshRecordAndLeaveTheRowsAlone) {
    EXPECT_IN_FRESHLY_LOADED_TOOLKIT(exExportsLeaveTheRowsAlone);
}

class RecordedCallTest : public testing::Test {
protected:
    void TearDown() override { SetQcParent(nullptr); }
    TempFolder folder_;
    PluginFolder plugins_{PluginFolder::standIn("recorder")};
};

TEST_F(RecordedCallTest, OpenSoundFileExAsksForTheEncodingAndRateGiven) {
    const std::string name = folder_.file("in.vox");
    SoundHeader header{0, 0, 77, 0};
    int16_t* body = nullptr;
    ASSERT_EQ(OpenSoundFileEx(name.c_str(), &header, &body, 0x8001, 11025), QC_OK);
    const auto call = readRecord(name);
    ASSERT_TRUE(call);
    EXPECT_EQ(call->header.formatTag, 1);
    EXPECT_EQ(call->header.bitsPerSample, 16);
    EXPECT_EQ(call->header.sampleRate, 11025u);
    EXPECT_EQ(call->header.sampleCount, 77u) << "sampleCount is left alone";
    EXPECT_EQ(call->useHeaderFormat, 1);
    EXPECT_NE(call->errorText, 0u);
    EXPECT_EQ(call->third, reinterpret_cast<uintptr_t>(&body)) << "the body address";

    EXPECT_EQ(header.formatTag, recorderOpenedHeader.formatTag);
    EXPECT_EQ(header.sampleRate, recorderOpenedHeader.sampleRate);
    EXPECT_EQ(header.sampleCount, recorderOpenedHeader.sampleCount);
    EXPECT_EQ(header.bitsPerSample, recorderOpenedHeader.bitsPerSample);
    ASSERT_NE(body, nullptr);
    EXPECT_EQ(body[0], recorderOpenedSamples[0]);
    EXPECT_EQ(body[1], recorderOpenedSamples[1]);
    FreeSoundBody(body);
}

TEST_F(RecordedCallTest, OpenSoundFileLetsThePluginAsk) {
    const std::string name = folder_.file("in.wav");
    ASSERT_TRUE(openThroughTable(name));
    const auto call = readRecord(name);
    ASSERT_TRUE(call);
    EXPECT_EQ(call->useHeaderFormat, 0);
    EXPECT_NE(call->errorText, 0u);
}

struct SaveCodeCase {
    uint32_t formatCode;
    uint16_t formatTag;
    uint16_t bitsPerSample;
};

void PrintTo(const SaveCodeCase& c, std::ostream* out) {
    *out << "format code " << c.formatCode;
}

class SaveFormatCodeTest : public testing::TestWithParam<SaveCodeCase> {
protected:
    TempFolder folder_;
    PluginFolder plugins_{PluginFolder::standIn("recorder")};
};

TEST_P(SaveFormatCodeTest, PluginSeesTheEncodingAtTheHeadersRate) {
    const SaveCodeCase& c = GetParam();
    const std::string name = folder_.file("out.vox");
    int16_t samples[2] = {-1234, 99};
    int16_t* body = samples;
    SoundHeader header{1, 6053, 2, 16};
    ASSERT_EQ(SaveSoundFileEx(name.c_str(), &header, &body, c.formatCode), QC_OK);
    const auto call = readRecord(name);
    ASSERT_TRUE(call);
    EXPECT_EQ(call->header.formatTag, c.formatTag);
    EXPECT_EQ(call->header.bitsPerSample, c.bitsPerSample);
    EXPECT_EQ(call->header.sampleRate, 6053u);
    EXPECT_EQ(call->header.sampleCount, 2u);
    EXPECT_EQ(call->useHeaderFormat, 1);
    EXPECT_EQ(call->third, reinterpret_cast<uintptr_t>(samples)) << "the body pointer itself";
    EXPECT_EQ(call->firstSample, -1234);
}

INSTANTIATE_TEST_SUITE_P(Codes, SaveFormatCodeTest,
                         testing::Values(SaveCodeCase{0x8001, 1, 16}, SaveCodeCase{0x8000, 1, 8},
                                         SaveCodeCase{7, 7, 0}, SaveCodeCase{6, 6, 0},
                                         SaveCodeCase{23, 23, 0}, SaveCodeCase{0x12348000, 1, 8}));

TEST_F(RecordedCallTest, OwnerWindowIsTheOneSetOrNone) {
    void* const window = reinterpret_cast<void*>(uintptr_t{0x5A5A00});
    EXPECT_EQ(SetQcParent(window), window);
    const std::string first = folder_.file("first.wav");
    ASSERT_TRUE(openThroughTable(first));
    EXPECT_EQ(readRecord(first)->ownerWindow, reinterpret_cast<uintptr_t>(window));

    // Without a remembered window the active one is passed: there is none without a GUI.
    EXPECT_EQ(SetQcParent(nullptr), nullptr);
    const std::string second = folder_.file("second.wav");
    ASSERT_TRUE(openThroughTable(second));
    EXPECT_EQ(readRecord(second)->ownerWindow, 0u);
}

} // namespace
