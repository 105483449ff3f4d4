#include "convert/output_namer.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace convert {
namespace {

constexpr int kPcm = 0;
constexpr int kAdpcm = 1;
constexpr int kWav = 2;
constexpr int kOriginal = 3;
constexpr int kNoSelection = -1;
constexpr int kNormal = 0;
constexpr int kStat = 1;

struct NameCase {
    const char* label;
    std::string input;
    std::string userId;
    std::string location;
    std::string expected;
    int format = kAdpcm;
    int priority = kNormal;
    bool appendSource = false;
    bool appendDate = false;
    std::string dictatorId = "9999";
};

std::ostream& operator<<(std::ostream& out, const NameCase& c) {
    return out << c.label;
}

NameCase Case(const char* label, std::string input, std::string user, std::string loc,
              std::string expected) {
    NameCase c;
    c.label = label;
    c.input = std::move(input);
    c.userId = std::move(user);
    c.location = std::move(loc);
    c.expected = std::move(expected);
    return c;
}

NameCase WithFormat(NameCase c, int format) {
    c.format = format;
    return c;
}
NameCase Stat(NameCase c, int priority = kStat) {
    c.priority = priority;
    return c;
}
NameCase WithSource(NameCase c) {
    c.appendSource = true;
    return c;
}
NameCase WithDate(NameCase c) {
    c.appendDate = true;
    return c;
}
NameCase WithDictator(NameCase c, std::string id) {
    c.dictatorId = std::move(id);
    return c;
}

// 15 March, 14:35, the first job of the day.
class FirstNameOfTheDayTest : public testing::TestWithParam<NameCase> {
protected:
    FixedClock clock{2026, 3, 15, 14, 35, 27};
};

TEST_P(FirstNameOfTheDayTest, BuildsTheExactName) {
    const NameCase& c = GetParam();
    shell::Settings settings;
    settings.VoxFormat = c.format;
    settings.Priority = c.priority;
    settings.AppendSource = c.appendSource;
    settings.AppendDate = c.appendDate;
    settings.DictatorID = c.dictatorId;
    OutputNamer namer(clock);
    namer.UpdateJobDateKey();
    const std::string name = namer.BuildOutputName(settings, c.input, c.userId, c.location);
    EXPECT_EQ("[" + name + "]", "[" + c.expected + "]");
    EXPECT_LE(name.size(), kMaxOutputNameLength);
}

// 26 characters, "-" at position 7 and a blank at position 21: one short of a header.
const std::string k26 = "X 0101-777 ABCDE0000 99 zz";
const std::string k27 = k26 + "z";

INSTANTIATE_TEST_SUITE_P(
    Names, FirstNameOfTheDayTest,
    testing::Values(
        Case("plain", "abc.wav", "1001", "00", "N 0315-001 1001 0000 00  .vox"),
        WithSource(Case("source", "abc.wav", "1001", "00", "N 0315-001 1001 0000 00 abc .vox")),
        WithDate(WithSource(Case("source and date", "abc.wav", "1001", "00",
                                 "N 0315-001 1001 0000 00 abc @0315-1435 .vox"))),
        WithDate(Case("date only", "abc.wav", "1001", "00",
                      "N 0315-001 1001 0000 00  @0315-1435 .vox")),
        // User IDs of 0, 1, 2, 5 and more characters.
        Case("user 7", "abc.wav", "7", "00", "N 0315-001 7000 0000 00  .vox"),
        Case("user 12", "abc.wav", "12", "00", "N 0315-001 1200 0000 00  .vox"),
        Case("user 12345", "abc.wav", "12345", "00", "N 0315-001 123450000 00  .vox"),
        Case("user 123456", "abc.wav", "123456", "00", "N 0315-001 123450000 00  .vox"),
        Case("no user", "abc.wav", "", "00", "N 0315-001 9999 0000 00  .vox"),
        WithDictator(Case("no user, short dictator", "abc.wav", "", "00",
                          "N 0315-001 42   0000 00  .vox"),
                     "42"),
        WithDictator(Case("no user, long dictator", "abc.wav", "", "00",
                          "N 0315-001 876540000 00  .vox"),
                     "8765432"),
        Case("user in blanks and controls", "abc.wav", " \t1001\r\n", "00",
             "N 0315-001 1001 0000 00  .vox"),
        Case("user of blanks only", "abc.wav", "  \t ", "00", "N 0315-001 9999 0000 00  .vox"),
        Case("user with inner blank", "abc.wav", "1 2", "00", "N 0315-001 1020 0000 00  .vox"),
        // Locations read as atol reads them.
        Case("location 5", "abc.wav", "1001", "5", "N 0315-001 1001 0000 05  .vox"),
        Case("location AB", "abc.wav", "1001", "AB", "N 0315-001 1001 0000 00  .vox"),
        Case("location 123", "abc.wav", "1001", "123", "N 0315-001 1001 0000 123  .vox"),
        Case("location -3", "abc.wav", "1001", "-3", "N 0315-001 1001 0000 -03  .vox"),
        Case("location in blanks", "abc.wav", "1001", "\t 7 \x01", "N 0315-001 1001 0000 07  .vox"),
        Case("location empty", "abc.wav", "1001", "", "N 0315-001 1001 0000 00  .vox"),
        Case("location 4B", "abc.wav", "1001", "4B", "N 0315-001 1001 0000 04  .vox"),
        // Priority and the extension by output format.
        Stat(Case("stat", "abc.wav", "1001", "00", "S 0315-001 1001 0000 00  .vox")),
        Stat(Case("no priority selected", "abc.wav", "1001", "00", "S 0315-001 1001 0000 00  .vox"),
             kNoSelection),
        WithFormat(Case("pcm vox", "abc.wav", "1001", "00", "N 0315-001 1001 0000 00  .vox"), kPcm),
        WithFormat(Case("wav", "abc.dss", "1001", "00", "N 0315-001 1001 0000 00  .wav"), kWav),
        WithFormat(Case("original dss", "note.dss", "1001", "00", "N 0315-001 1001 0000 00  .dss"),
                   kOriginal),
        WithFormat(Case("original upper case", "NOTE.DSS", "1001", "00",
                        "N 0315-001 1001 0000 00  .DSS"),
                   kOriginal),
        WithFormat(Case("no format selected", "note.dss", "1001", "00",
                        "N 0315-001 1001 0000 00  .dss"),
                   kNoSelection),
        WithFormat(Case("original without extension", "note", "1001", "00",
                        "N 0315-001 1001 0000 00  "),
                   kOriginal),
        WithFormat(Case("original, 7-character extension", "memo.abcdefg", "1001", "00",
                        "N 0315-001 1001 0000 00  .abcd"),
                   kOriginal),
        WithSource(WithFormat(Case("source of a name with dots", "a.b.wav", "1001", "00",
                                   "N 0315-001 1001 0000 00 a.b .wav"),
                              kOriginal)),
        WithSource(Case("source without extension", "note", "1001", "00",
                        "N 0315-001 1001 0000 00 note .vox")),
        WithSource(Case("source trimmed", " \tabc \x01.wav", "1001", "00",
                        "N 0315-001 1001 0000 00 abc .vox")),
        WithSource(Case("source cut after 30", std::string(40, 'q') + ".wav", "1001", "00",
                        "N 0315-001 1001 0000 00 " + std::string(30, 'q') + " .vox")),
        WithSource(Case("source cut before a split character",
                        std::string(29, 'q') + "\xC3\xA9.wav", "1001", "00",
                        "N 0315-001 1001 0000 00 " + std::string(29, 'q') + " .vox")),
        // Names that already carry a header keep it.
        Stat(WithFormat(Case("header input", "N 0315-012 1001 0000 00 memo .wav", "1001", "00",
                             "S 0315-012 1001 0000 00 memo .wav"),
                        kWav)),
        Case("header input, normal", "S 0315-012 1001 0000 00 memo .wav", "7", "5",
             "N 0315-012 1001 0000 00 memo .vox"),
        // The priority letter takes the place of a whole non-ASCII first letter; the header
        // then no longer lines up and is treated as a source part.
        Case("header input with a non-ASCII first letter",
             "\xC3\x89"
             "0315-012 1001 0000 00 memo.wav",
             "1001", "00", "N 0315-001 1001 0000 00 N0315-012 1001 0000 00 memo .vox"),
        Case("27 characters is a header", k27, "1001", "00", "N 0101-777 ABCDE0000 99 zzz .vox"),
        Case("26 characters is not", k26, "1001", "00", "N 0315-001 1001 0000 00  .vox"),
        WithSource(Case("26 characters as source are kept whole", k26, "1001", "00",
                        k26 + " .vox")),
        WithSource(Case("short source without the layout", "ab-cd", "1001", "00",
                        "N 0315-001 1001 0000 00 ab-cd .vox")),
        WithDate(Case("kept header with date", k27 + ".wav", "1001", "00",
                      "N 0101-777 ABCDE0000 99 zzz @0315-1435 .vox")),
        WithDate(WithFormat(
            Case("longest name", "S 0315-012 1001 0000 00 " + std::string(100, 'm') + ".abcdefg",
                 "1001", "00",
                 "N 0315-012 1001 0000 00 " + std::string(76, 'm') + " @0315-1435 .abcd"),
            kOriginal))));

class JobSequenceTest : public testing::Test {
protected:
    FixedClock clock{2026, 3, 15, 9, 0, 0};
    shell::Settings settings;
    OutputNamer namer{clock};
};

TEST_F(JobSequenceTest, CountsEveryNameBuilt) {
    namer.UpdateJobDateKey();
    EXPECT_EQ(namer.BuildOutputName(settings, "a.wav", "1001", "00"),
              "N 0315-001 1001 0000 00  .wav");
    EXPECT_EQ(namer.BuildOutputName(settings, "b.wav", "1001", "00"),
              "N 0315-002 1001 0000 00  .wav");
    EXPECT_EQ(namer.JobSequence(), 2);
}

TEST_F(JobSequenceTest, AKeptHeaderStillCountsItsJob) {
    namer.UpdateJobDateKey();
    settings.VoxFormat = kWav;
    EXPECT_EQ(namer.BuildOutputName(settings, "N 0315-012 1001 0000 00 memo .wav", "", ""),
              "N 0315-012 1001 0000 00 memo .wav");
    EXPECT_EQ(namer.JobSequence(), 1);
    EXPECT_EQ(namer.BuildOutputName(settings, "c.wav", "1001", "00"),
              "N 0315-002 1001 0000 00  .wav");
}

TEST_F(JobSequenceTest, CountsPast999AndShiftsTheRest) {
    namer.UpdateJobDateKey();
    settings.VoxFormat = kAdpcm;
    for (int job = 1; job < 999; ++job) {
        namer.BuildOutputName(settings, "a.wav", "1001", "00");
    }
    EXPECT_EQ(namer.BuildOutputName(settings, "a.wav", "1001", "00"),
              "N 0315-999 1001 0000 00  .vox");
    EXPECT_EQ(namer.BuildOutputName(settings, "a.wav", "1001", "00"),
              "N 0315-1000 1001 0000 00  .vox");
    EXPECT_EQ(namer.BuildOutputName(settings, "a.wav", "1001", "00"),
              "N 0315-1001 1001 0000 00  .vox");
}

TEST(OutputExtensionTest, FollowsTheFormatIndex) {
    EXPECT_EQ(OutputExtension(0, "a.dss"), ".vox");
    EXPECT_EQ(OutputExtension(1, "a.dss"), ".vox");
    EXPECT_EQ(OutputExtension(2, "a.dss"), ".wav");
    EXPECT_EQ(OutputExtension(3, "a.dss"), ".dss");
    EXPECT_EQ(OutputExtension(4, "a.dss"), ".dss");
    EXPECT_EQ(OutputExtension(-1, "a"), "");
    EXPECT_EQ(OutputExtension(3, "a.wave1"), ".wave");
}

} // namespace
} // namespace convert
