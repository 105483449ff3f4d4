#include "config/settings.h"

#include <gtest/gtest.h>

namespace {

struct FormatCase {
    int index;
    int code;
    const char* statusText;
};

class OutputFormatTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(OutputFormatTest, DerivesCodeAndStatusText) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(shell::OutputFormatCode(c.index), c.code) << "index " << c.index;
    EXPECT_EQ(shell::FormatStatusText(c.index), c.statusText) << "index " << c.index;
}

INSTANTIATE_TEST_SUITE_P(
    Indexes, OutputFormatTest,
    ::testing::Values(FormatCase{0, 7, "Format:  PCM 8 KHz"},
                      FormatCase{1, 23, "Format:  ADPCM 8 KHz"}, FormatCase{2, 7, "Format:  WAV"},
                      FormatCase{3, 7, "Format:  Original"}, FormatCase{-1, 7, "Format:  Original"},
                      FormatCase{4, 7, "Format:  Original"}),
    [](const auto& info) { return "Index" + std::to_string(info.param.index + 1); });

TEST(SettingsDefaultsTest, AreTheDesignedOnes) {
    const shell::Settings s;
    EXPECT_EQ(s.VoxFormat, 3);
    EXPECT_EQ(s.Priority, 0);
    EXPECT_EQ(s.DictatorID, "9999");
    EXPECT_FALSE(s.EnableSched);
    EXPECT_EQ(s.ConvertInterval, 30);
    EXPECT_FALSE(s.ShowErrors);
    EXPECT_FALSE(s.AppendSource);
    EXPECT_FALSE(s.MoveOutputText);
    EXPECT_FALSE(s.AppendDate);
    EXPECT_TRUE(s.ShowTips);
    EXPECT_FALSE(s.SpeechRec);
    EXPECT_EQ(s.SpeechInput, "C:\\Dragon\\Input");
    EXPECT_EQ(s.SpeechOutput, "C:\\Dragon\\Output");
    EXPECT_EQ(s.Interface, "");
    EXPECT_EQ(s.Height, 307);
    EXPECT_EQ(s.Width, 500);
    EXPECT_EQ(s.Top, 200);
    EXPECT_EQ(s.Left, 200);
}

} // namespace

namespace {

struct IdCase {
    const char* name;
    const char* text;
    bool valid;
};

class DictatorIdTest : public ::testing::TestWithParam<IdCase> {};

TEST_P(DictatorIdTest, AcceptsExactlyFourAsciiDigits) {
    EXPECT_EQ(shell::IsValidDictatorID(GetParam().text), GetParam().valid) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DictatorIdTest,
    ::testing::Values(IdCase{"LeadingZeros", "0042", true}, IdCase{"Default", "9999", true},
                      IdCase{"ThreeDigits", "123", false}, IdCase{"FiveDigits", "12345", false},
                      IdCase{"Letter", "12a4", false}, IdCase{"Blank", "12 4", false},
                      IdCase{"TrailingBlank", "123 ", false}, IdCase{"Empty", "", false},
                      IdCase{"Sign", "+123", false},
                      // Arabic-Indic digits: four characters of eight bytes.
                      IdCase{"ArabicIndicDigits", "\xd9\xa1\xd9\xa2\xd9\xa3\xd9\xa4", false},
                      // Two ASCII digits and one two-byte digit: four bytes, three characters.
                      IdCase{"FourBytesThreeCharacters", "12\xd9\xa3", false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
