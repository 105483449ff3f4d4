// The command line: help, version, bad usage, and configurations that cannot be used.
#include "batch_fixture.h"

#include "platform_test/unprivileged.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

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
        UsageCase{"help", {"--help"}, 0, "Usage: import-batch [--dry-run | --watch | --check]", ""},
        UsageCase{"shortHelp", {"-h"}, 0, "--dry-run", ""},
        UsageCase{"version", {"--version"}, 0, "import-batch (Quorvel Import Utility) ", ""},
        UsageCase{"unknownOption", {"--fast"}, 2, "", "import-batch: unknown option --fast"},
        UsageCase{"argument", {"C:\\Dict"}, 2, "", "unexpected argument C:\\Dict"},
        UsageCase{"bothModes", {"--dry-run", "--watch"}, 2, "", "cannot be combined"},
        UsageCase{"noConfiguration", {}, 2, "", "import-batch: no import.ini in "},
        UsageCase{"noConfigurationDryRun", {"--dry-run"}, 2, "", "no import.ini"},
        UsageCase{"noConfigurationWatch", {"--watch"}, 2, "", "no import.ini"},
        UsageCase{"noConfigurationCheck", {"--check"}, 2, "", "no import.ini"},
        UsageCase{"checkAndRun", {"--check", "--dry-run"}, 2, "", "cannot be combined"}));

// ---- Configurations that cannot be used ----

enum class ConfigShape { Text, Unreadable, Folder, Fifo };

struct ConfigCase {
    const char* label;
    ConfigShape shape;
    std::string text; // import.ini's bytes, for Text and Unreadable
    std::vector<std::string> arguments;
    const char* errText;
};

void PrintTo(const ConfigCase& c, std::ostream* os) {
    *os << c.label;
}

// A [Startup] section with row 1 (C:\Dict\Type1) after the lines given.
std::string startup(const std::string& lines = {}) {
    return "[Startup]\r\n" + lines + "InputDir1=C:\\Dict\\Type1\r\nOutputDir1=C:\\Out\r\n";
}

std::string utf16(const std::string& text) {
    std::string wide = "\xff\xfe";
    for (const char ch : text)
        wide += std::string{ch, '\0'};
    return wide;
}

class ConfigurationTest : public OneRowTest, public ::testing::TestWithParam<ConfigCase> {
protected:
    void writeConfiguration(const ConfigCase& c) const {
        const fs::path file = workspace.work() / "import.ini";
        fs::remove(file);
        switch (c.shape) {
        case ConfigShape::Text:
        case ConfigShape::Unreadable:
            std::ofstream(file, std::ios::binary) << c.text;
            if (c.shape == ConfigShape::Unreadable)
                fs::permissions(file, fs::perms::none);
            break;
        case ConfigShape::Folder:
            fs::create_directory(file);
            break;
        case ConfigShape::Fifo:
            ::mkfifo(file.c_str(), 0600);
            break;
        }
    }
};

// Nothing is converted and no lock is taken: exit 2 and the reason, before any work.
TEST_P(ConfigurationTest, IsRefusedBeforeAnythingIsConverted) {
    const ConfigCase& c = GetParam();
    configure();
    workspace.addFile("c/Dict/Type1/a.wav", wave(1));
    // Only unprivileged can a file be unreadable.
    const bool unprivileged = c.shape == ConfigShape::Unreadable;
    if (unprivileged)
        platform_test::shareWithEveryone(workspace.root());
    writeConfiguration(c);
    const BatchResult result =
        runBatch(workspace, c.arguments, unprivileged ? platform_test::dropPrivileges : nullptr);
    EXPECT_EQ(result.exitCode, 2) << result.err;
    EXPECT_NE(result.err.find(c.errText), std::string::npos) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(namesIn(in1), Names{"a.wav"});
    EXPECT_FALSE(fs::exists(workspace.work() / "import.lock"));
}

constexpr const char* kIntervalRefused =
    "import-batch: --watch needs a ConvertInterval of 1 to 1440 minutes in import.ini, not ";

INSTANTIATE_TEST_SUITE_P(
    Configurations, ConfigurationTest,
    ::testing::Values(
        ConfigCase{"unreadable",
                   ConfigShape::Unreadable,
                   startup(),
                   {},
                   "import-batch: import.ini cannot be read (Permission denied)"},
        ConfigCase{"aFolder",
                   ConfigShape::Folder,
                   "",
                   {},
                   "import-batch: import.ini is not a regular file"},
        ConfigCase{"aFifo",
                   ConfigShape::Fifo,
                   "",
                   {"--watch"},
                   "import-batch: import.ini is not a regular file"},
        ConfigCase{"randomBytes",
                   ConfigShape::Text,
                   std::string("\x8f\x01[Startu\xff\0\x13=\x9c\n\x02", 14),
                   {},
                   "import-batch: import.ini has no [Startup] section"},
        ConfigCase{"utf16",
                   ConfigShape::Text,
                   utf16(startup()),
                   {},
                   "import-batch: import.ini is UTF-16 text, which is not read: save it as UTF-8"},
        ConfigCase{"noStartupSection",
                   ConfigShape::Text,
                   "[Import]\r\nInputDir1=C:\\Dict\r\n",
                   {},
                   "import-batch: import.ini has no [Startup] section"},
        ConfigCase{"noRow",
                   ConfigShape::Text,
                   "[Startup]\r\nVoxFormat=1\r\n",
                   {"--dry-run"},
                   "import-batch: import.ini has no directory row with an input folder"},
        ConfigCase{"onlyBlankRows",
                   ConfigShape::Text,
                   "[Startup]\r\nInputDir1=\" \"\r\nInputDir2=\" \"\r\nOutputDir2=C:\\Out\r\n",
                   {},
                   "import-batch: import.ini has no directory row with an input folder"},
        ConfigCase{"rowOutsideTheDriveRoot",
                   ConfigShape::Text,
                   startup() + "InputDir2=C:\\Dict\\Type1\r\n"
                               "OutputDir2=C:\\Convert\\..\\..\\..\\escaped\r\n",
                   {},
                   "import-batch: import.ini, directory row 2: the output folder "
                   "\"C:\\Convert\\..\\..\\..\\escaped\" leads outside the drive root"},
        ConfigCase{"noMinutes",
                   ConfigShape::Text,
                   startup("ConvertInterval=0\r\n"),
                   {"--watch"},
                   kIntervalRefused},
        ConfigCase{"negativeMinutes",
                   ConfigShape::Text,
                   startup("ConvertInterval=-5\r\n"),
                   {"--watch"},
                   "not -5"},
        ConfigCase{"moreThanADay",
                   ConfigShape::Text,
                   startup("ConvertInterval=1441\r\n"),
                   {"--watch"},
                   "not 1441"},
        ConfigCase{"largestInteger",
                   ConfigShape::Text,
                   startup("ConvertInterval=2147483647\r\n"),
                   {"--watch"},
                   "not 2147483647"}));

} // namespace
} // namespace batch_test
