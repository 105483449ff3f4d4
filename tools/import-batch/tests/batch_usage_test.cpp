// The command line: help, version, bad usage, and configurations that cannot be used.
#include "batch_fixture.h"

#include "platform_test/unprivileged.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace batch_test {
namespace {

struct UsageCase {
    const char* label;
    std::vector<std::string> arguments;
    int exitCode;
    const char* outText; // expected in standard output
    const char* errText; // expected in standard error
};

// CTest lists each case under its label.
void PrintTo(const UsageCase& c, std::ostream* os) {
    *os << c.label;
}

class UsageTest : public ::testing::TestWithParam<UsageCase> {};

TEST_P(UsageTest, AnswersWithItsExitStatus) {
    const UsageCase& c = GetParam();
    BatchWorkspace workspace;
    const BatchResult result = runBatch(workspace, c.arguments);
    EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
    EXPECT_NE(result.out.find(c.outText), std::string::npos) << result.out;
    EXPECT_NE(result.err.find(c.errText), std::string::npos) << result.err;
    EXPECT_FALSE(fs::exists(workspace.work() / "import.ini")) << "nothing is created";
    EXPECT_FALSE(fs::exists(workspace.work() / "import.lock"));
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, UsageTest,
    ::testing::Values(
        UsageCase{"help", {"--help"}, 0, "Usage: import-batch [--dry-run | --watch]", ""},
        UsageCase{"shortHelp", {"-h"}, 0, "--dry-run", ""},
        UsageCase{"version", {"--version"}, 0, "import-batch (Quorvel Import Utility) ", ""},
        UsageCase{"unknownOption", {"--fast"}, 2, "", "import-batch: unknown option --fast"},
        UsageCase{"argument", {"C:\\Dict"}, 2, "", "unexpected argument C:\\Dict"},
        UsageCase{"bothModes", {"--dry-run", "--watch"}, 2, "", "cannot be combined"},
        UsageCase{"noConfiguration", {}, 2, "", "import-batch: no import.ini in "},
        UsageCase{"noConfigurationDryRun", {"--dry-run"}, 2, "", "no import.ini"},
        UsageCase{"noConfigurationWatch", {"--watch"}, 2, "", "no import.ini"}));

// ---- Configurations that cannot be used ----

struct ConfigCase {
    const char* label;
    // Puts import.ini in place; the workspace has a waiting dictation.
    void (*write)(const BatchWorkspace&);
    std::vector<std::string> arguments;
    bool unprivileged; // run as "nobody" when the suite runs as root
    const char* errText;
};

void PrintTo(const ConfigCase& c, std::ostream* os) {
    *os << c.label;
}

class ConfigurationTest : public OneRowTest, public ::testing::TestWithParam<ConfigCase> {};

// Nothing is converted and no lock is taken: exit 2 and the reason, before any work.
TEST_P(ConfigurationTest, IsRefusedBeforeAnythingIsConverted) {
    const ConfigCase& c = GetParam();
    configure();
    workspace.addFile("c/Dict/Type1/a.wav", wave(1));
    fs::remove(workspace.work() / "import.ini");
    if (c.unprivileged)
        platform_test::shareWithEveryone(workspace.root());
    c.write(workspace);
    const BatchResult result =
        runBatch(workspace, c.arguments, c.unprivileged ? platform_test::dropPrivileges : nullptr);
    EXPECT_EQ(result.exitCode, 2) << result.err;
    EXPECT_NE(result.err.find(c.errText), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(namesIn(in1), Names{"a.wav"});
    EXPECT_FALSE(fs::exists(workspace.work() / "import.lock"));
}

void writeText(const BatchWorkspace& w, const std::string& text) {
    std::ofstream(w.work() / "import.ini", std::ios::binary) << text;
}

constexpr const char* kRow = "InputDir1=C:\\Dict\\Type1\r\nOutputDir1=C:\\Convert\\TSP\\type1\r\n";

INSTANTIATE_TEST_SUITE_P(
    Configurations, ConfigurationTest,
    ::testing::Values(
        ConfigCase{"unreadable",
                   [](const BatchWorkspace& w) {
                       writeText(w, std::string("[Startup]\r\n") + kRow);
                       fs::permissions(w.work() / "import.ini", fs::perms::none);
                   },
                   {},
                   true,
                   "import-batch: import.ini cannot be read (Permission denied)"},
        ConfigCase{"aFolder",
                   [](const BatchWorkspace& w) { fs::create_directory(w.work() / "import.ini"); },
                   {},
                   false,
                   "import-batch: import.ini is not a regular file"},
        ConfigCase{
            "aFifo",
            [](const BatchWorkspace& w) { ::mkfifo((w.work() / "import.ini").c_str(), 0600); },
            {"--watch"},
            false,
            "import-batch: import.ini is not a regular file"},
        ConfigCase{"randomBytes",
                   [](const BatchWorkspace& w) {
                       writeText(w, std::string("\x8f\x01[Startu\xff\0\x13=\x9c\n\x02", 14));
                   },
                   {},
                   false,
                   "import-batch: import.ini has no [Startup] section"},
        ConfigCase{"utf16",
                   [](const BatchWorkspace& w) {
                       std::string text = "\xff\xfe";
                       for (char ch : std::string("[Startup]\r\nInputDir1=C:\\Dict\\Type1\r\n"))
                           text += std::string{ch, '\0'};
                       writeText(w, text);
                   },
                   {},
                   false,
                   "import-batch: import.ini is UTF-16 text, which is not read: save it as UTF-8"},
        ConfigCase{
            "noStartupSection",
            [](const BatchWorkspace& w) { writeText(w, std::string("[Import]\r\n") + kRow); },
            {},
            false,
            "import-batch: import.ini has no [Startup] section"},
        ConfigCase{"noRow",
                   [](const BatchWorkspace& w) { writeText(w, "[Startup]\r\nVoxFormat=1\r\n"); },
                   {"--dry-run"},
                   false,
                   "import-batch: import.ini has no directory row with an input folder"},
        ConfigCase{"onlyBlankRows",
                   [](const BatchWorkspace& w) {
                       w.writeConfig({"InputDir1=\" \"", "InputDir2=\" \"", "OutputDir2=C:\\Out"});
                   },
                   {},
                   false,
                   "import-batch: import.ini has no directory row with an input folder"},
        ConfigCase{"rowOutsideTheDriveRoot",
                   [](const BatchWorkspace& w) {
                       w.writeConfig({"InputDir1=C:\\Dict\\Type1", "OutputDir1=C:\\Convert\\TSP",
                                      "InputDir2=C:\\Dict\\Type1",
                                      "OutputDir2=C:\\Convert\\..\\..\\..\\escaped"});
                   },
                   {},
                   false,
                   "import-batch: import.ini, directory row 2: the output folder "
                   "\"C:\\Convert\\..\\..\\..\\escaped\" leads outside the drive root"},
        ConfigCase{"noMinutes",
                   [](const BatchWorkspace& w) {
                       w.writeConfig({"ConvertInterval=0", "InputDir1=C:\\Dict\\Type1"});
                   },
                   {"--watch"},
                   false,
                   "import-batch: --watch needs a ConvertInterval of 1 to 1440 minutes in "
                   "import.ini, not 0"},
        ConfigCase{"negativeMinutes",
                   [](const BatchWorkspace& w) {
                       w.writeConfig({"ConvertInterval=-5", "InputDir1=C:\\Dict\\Type1"});
                   },
                   {"--watch"},
                   false,
                   "not -5"},
        ConfigCase{"moreThanADay",
                   [](const BatchWorkspace& w) {
                       w.writeConfig({"ConvertInterval=1441", "InputDir1=C:\\Dict\\Type1"});
                   },
                   {"--watch"},
                   false,
                   "not 1441"},
        ConfigCase{"largestInteger",
                   [](const BatchWorkspace& w) {
                       w.writeConfig({"ConvertInterval=2147483647", "InputDir1=C:\\Dict\\Type1"});
                   },
                   {"--watch"},
                   false,
                   "not 2147483647"}));

} // namespace
} // namespace batch_test
