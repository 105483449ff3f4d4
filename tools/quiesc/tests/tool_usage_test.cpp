// The command line: help, usage errors (exit 2) and toolkit failures (exit 1).
#include "program_run.h"

#include <gtest/gtest.h>

#include <ostream>

#include <string>
#include <vector>

using quiesc_tool_test::runQuiesc;

namespace {

struct UsageCase {
    std::vector<std::string> arguments;
    std::string message; // part of standard error
};

void PrintTo(const UsageCase& c, std::ostream* out) {
    *out << "quiesc";
    for (const std::string& argument : c.arguments) {
        *out << ' ' << argument;
    }
}

class UsageErrorTest : public testing::TestWithParam<UsageCase> {};

TEST_P(UsageErrorTest, ExitsWithTwoAndSaysWhy) {
    const UsageCase& c = GetParam();
    const auto run = runQuiesc(c.arguments);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.standardError.find(c.message), std::string::npos) << run.standardError;
    EXPECT_EQ(run.standardOutput, "");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UsageErrorTest,
    testing::Values(
        UsageCase{{}, "Usage: quiesc COMMAND ARGUMENTS"},
        UsageCase{{"frobnicate"}, "unknown command \"frobnicate\""},
        UsageCase{{"convert", "a.wav"}, "expected 2 file names, got 1"},
        UsageCase{{"convert", "a.wav", "b.vox", "c.vox"}, "expected 2 file names, got 3"},
        UsageCase{{"info"}, "expected 1 file name, got 0"},
        UsageCase{{"convert", "a.wav", "b.vox", "--out-format", "mp3"}, "unknown encoding \"mp3\""},
        UsageCase{{"convert", "a.wav", "b.vox", "--out-format", "0x1FFFFFFFF"},
                  "unknown encoding \"0x1FFFFFFFF\""},
        UsageCase{{"convert", "a.wav", "b.vox", "--out-format="}, "unknown encoding \"\""},
        UsageCase{{"convert", "a.vox", "b.wav", "--in-format", "-7"}, "unknown encoding \"-7\""},
        UsageCase{{"convert", "a.vox", "b.wav", "--in-rate", "8k"}, "sample rate \"8k\""},
        UsageCase{{"convert", "a.vox", "b.wav", "--in-rate", "-8000"}, "sample rate \"-8000\""},
        UsageCase{{"convert", "a.vox", "b.wav", "--in-rate", "99999999999"},
                  "sample rate \"99999999999\""},
        UsageCase{{"convert", "a.vox", "b.wav", "--in-rate"}, "option --in-rate needs a value"},
        UsageCase{{"convert", "a.vox", "b.wav", "--in-rate", "1", "--in-rate=2"},
                  "option --in-rate given twice"},
        UsageCase{{"info", "a.wav", "--out-format", "ulaw"}, "unknown option --out-format"},
        UsageCase{{"info", "-t", "mp3", "a.bin"}, "unknown file type \"mp3\""},
        UsageCase{{"info", "call.raw"}, "a raw file needs --in-format"},
        UsageCase{{"convert", "a.wav", "b.vox", "--out-type", "sln"}, "unknown file type \"sln\""},
        UsageCase{{"convert", "a.wav", "b.vox", "--rate", "fast"}, "sample rate \"fast\""}));

struct HelpCase {
    std::vector<std::string> arguments;
    std::vector<std::string> mentions; // parts of standard output
};

void PrintTo(const HelpCase& c, std::ostream* out) {
    *out << "quiesc";
    for (const std::string& argument : c.arguments) {
        *out << ' ' << argument;
    }
}

class HelpTest : public testing::TestWithParam<HelpCase> {};

TEST_P(HelpTest, PrintsToStandardOutputAndExitsWithZero) {
    const HelpCase& c = GetParam();
    const auto run = runQuiesc(c.arguments);
    EXPECT_EQ(run.exitCode, 0);
    for (const std::string& mention : c.mentions) {
        EXPECT_NE(run.standardOutput.find(mention), std::string::npos)
            << "missing \"" << mention << "\" in:\n"
            << run.standardOutput;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, HelpTest,
                         testing::Values(HelpCase{{"--help"},
                                                  {"convert", "info", "ulaw", "pcm16",
                                                   "Exit status", "shift-and-add", "-t TYPE",
                                                   "'--' ends the options"}},
                                         HelpCase{{"help"}, {"convert", "info"}},
                                         HelpCase{{"convert", "--help"},
                                                  {"--in-format", "--in-rate", "--out-format",
                                                   "adpcm for .vox", "8000", "--rate"}},
                                         HelpCase{{"--version"}, {"quiesc 0."}},
                                         HelpCase{{"info", "-h"}, {"Usage: quiesc info FILE"}}));

TEST(ToolkitFailure, PrintsTheToolkitsMessageAndExitsWithOne) {
    const auto run = runQuiesc({"convert", "take.mp3", "take.vox"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.standardError, "quiesc: No plug-in handles this kind of file (\"take.mp3\").\n");
}

TEST(ToolkitFailure, InfoOnAFileWithoutExtension) {
    const auto run = runQuiesc({"info", "README"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.standardError, "quiesc: No plug-in handles this kind of file (\"README\").\n");
    EXPECT_EQ(run.standardOutput, "");
}

} // namespace
