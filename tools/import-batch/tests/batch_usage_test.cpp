// The command line: help, version, bad usage and a folder without a configuration.
#include "batch_program.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace batch_test
