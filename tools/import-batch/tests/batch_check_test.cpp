// import-batch --check: each problem a run would meet, said before anything is converted.
#include "batch_fixture.h"

#include "platform_test/unprivileged.h"

#include <gtest/gtest.h>

namespace batch_test {
namespace {

struct CheckCase {
    const char* label;
    std::vector<std::string> settings;          // [Startup] lines beside the one table row
    std::function<void(const OneRowTest&)> set; // changes to the workspace
    bool unprivileged;                          // run as "nobody" when the suite runs as root
    std::vector<std::string> problems;          // how the lines on standard error begin
};

void PrintTo(const CheckCase& c, std::ostream* os) {
    *os << c.label;
}

class CheckTest : public OneRowTest, public ::testing::TestWithParam<CheckCase> {};

TEST_P(CheckTest, SaysEachProblemAndConvertsNothing) {
    const CheckCase& c = GetParam();
    configure(c.settings);
    workspace.addFile("c/Dict/Type1/a.wav", wave(1));
    if (c.unprivileged)
        platform_test::shareWithEveryone(workspace.root());
    if (c.set)
        c.set(*this);
    const BatchResult result =
        runBatch(workspace, {"--check"},
                 c.unprivileged ? std::function<bool()>(platform_test::dropPrivileges) : nullptr);

    const std::vector<std::string> lines = linesOf(result.err);
    ASSERT_EQ(lines.size(), c.problems.size()) << result.err;
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_TRUE(lines[i].starts_with("import-batch: " + c.problems[i])) << lines[i];
    EXPECT_EQ(result.exitCode, c.problems.empty() ? 0 : 2) << result.err;
    EXPECT_EQ(result.out, c.problems.empty() ? "import.ini is ready for a conversion\n" : "");
    EXPECT_EQ(namesIn(in1), Names{"a.wav"});
    EXPECT_TRUE(namesIn(out1).empty());
}

const std::string kRow1 = "directory row 1: the ";

INSTANTIATE_TEST_SUITE_P(
    Configurations, CheckTest,
    ::testing::Values(
        CheckCase{"AllWell", {}, {}, false, {}},
        CheckCase{"MissingFolders",
                  {"InputDir2=C:\\Dict\\Type2", "OutputDir2=C:\\Convert\\TSP\\type2"},
                  [](const OneRowTest& t) { fs::remove_all(t.out1); },
                  false,
                  {kRow1 + "output folder \"C:\\Convert\\TSP\\type1\" does not exist",
                   "directory row 2: the input folder \"C:\\Dict\\Type2\" does not exist",
                   "directory row 2: the output folder \"C:\\Convert\\TSP\\type2\" does not "
                   "exist"}},
        CheckCase{"InputFolderIsAFile",
                  {"InputDir2=C:\\Dict\\Type2", "OutputDir2=C:\\Convert\\TSP\\type1"},
                  [](const OneRowTest& t) { t.workspace.addFile("c/Dict/Type2", "not a folder"); },
                  false,
                  {"directory row 2: the input folder \"C:\\Dict\\Type2\" is not a folder"}},
        CheckCase{"ReadOnlyOutputFolder",
                  {},
                  [](const OneRowTest& t) {
                      fs::permissions(t.out1,
                                      fs::perms::owner_write | fs::perms::group_write |
                                          fs::perms::others_write,
                                      fs::perm_options::remove);
                  },
                  true,
                  {kRow1 + "output folder \"C:\\Convert\\TSP\\type1\" cannot be written "
                           "(Permission denied)"}},
        CheckCase{"IntervalWatchRefuses",
                  {"ConvertInterval=0"},
                  {},
                  false,
                  {"--watch needs a ConvertInterval of 1 to 1440 minutes in import.ini, not 0"}},
        CheckCase{
            "SpeechFolderMissing",
            {"SpeechRec=1", "SpeechInput=C:\\Speech\\In", "SpeechOutput=C:\\Speech\\Out"},
            [](const OneRowTest& t) { fs::create_directories(t.workspace.drive("c/Speech/Out")); },
            false,
            {"the speech engine's input folder \"C:\\Speech\\In\" does not exist"}},
        CheckCase{"TemporaryFolderIsALink",
                  {},
                  [](const OneRowTest& t) {
                      fs::create_directory_symlink(
                          t.workspace.root(),
                          t.workspace.temp() / ("quorvel-import-" + std::to_string(::geteuid())));
                  },
                  false,
                  {"the temporary folder cannot be used: "}}));

} // namespace
} // namespace batch_test
