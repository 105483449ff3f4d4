#include "convert/job_player.h"

#include "box_recorder.h"

#include "convert/report_command.h"

#include "platform_test/test_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using platform_test::TestFolder;

struct PlayCase {
    const char* name;
    std::vector<std::string> files;   // created below the working folder
    std::vector<std::string> folders; // likewise
    const char* caption;
    const char* started; // the program started with the file, or ""
    const char* opened;  // the file given to the default handler, or ""
};

// CTest lists each case under its name.
void PrintTo(const PlayCase& c, std::ostream* os) {
    *os << c.name;
}

class JobPlayerFixture : public ::testing::Test {
protected:
    JobPlayerFixture()
        : drives_("IMPORT_DRIVE_ROOT", folder.str() + "/drives")
        , working_(folder.makeFolder("work")) {}

    TestFolder folder;
    convert_test::BoxRecorder boxes;
    convert_test::OpenRecorder opener;
    std::vector<std::pair<std::string, std::vector<std::string>>> started;
    convert::JobPlayer player{
        boxes, opener.opener(),
        [this](const std::string& program, const std::vector<std::string>& args) {
            started.emplace_back(program, args);
            return true;
        }};

private:
    platform_test::ScopedEnv drives_;
    platform_test::ScopedWorkingFolder working_;
};

class JobPlayerTest : public JobPlayerFixture, public ::testing::WithParamInterface<PlayCase> {};

TEST_P(JobPlayerTest, StartsThePlayerOrTheDefaultHandler) {
    const PlayCase& c = GetParam();
    for (const auto& file : c.files)
        folder.writeFile(file, "x");
    for (const auto& sub : c.folders)
        folder.makeFolder(sub);
    shell::JobRow row;
    row.columns[shell::kColInputFile] = c.caption;
    row.columns[shell::kColInputDir] = "C:\\Dict\\Type1";
    player.ListView1DblClick(&row);

    const std::string file = (folder.path() / "drives/c/Dict/Type1" / c.caption).string();
    if (*c.started) {
        ASSERT_EQ(started.size(), 1u);
        EXPECT_EQ(started[0].first, (folder.path() / "work" / c.started).string());
        EXPECT_EQ(started[0].second, std::vector<std::string>{file});
    } else {
        EXPECT_TRUE(started.empty());
    }
    EXPECT_EQ(opener.opened,
              *c.opened ? std::vector<std::string>{file} : std::vector<std::string>{});
    EXPECT_TRUE(boxes.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, JobPlayerTest,
    ::testing::Values(
        PlayCase{"ListenboxInTheWorkingFolder",
                 {"work/Listenbox", "drives/c/Dict/Type1/a b.wav"},
                 {},
                 "a b.wav",
                 "Listenbox",
                 ""},
        PlayCase{"ConvertedJobPlaysTheRenamedInput",
                 {"work/Listenbox", "drives/c/Dict/Type1/_a.dss"},
                 {},
                 "_a.dss",
                 "Listenbox",
                 ""},
        PlayCase{"NoListenbox", {"drives/c/Dict/Type1/a.wav"}, {}, "a.wav", "", "yes"},
        PlayCase{"ListenboxOnlyBesideTheProgram",
                 {"bin/Listenbox", "drives/c/Dict/Type1/a.wav"},
                 {},
                 "a.wav",
                 "",
                 "yes"},
        PlayCase{"AFolderNamedListenbox",
                 {"drives/c/Dict/Type1/a.wav"},
                 {"work/Listenbox"},
                 "a.wav",
                 "",
                 "yes"},
        PlayCase{"InputGone", {"work/Listenbox"}, {}, "a.wav", "", ""},
        PlayCase{
            "InputIsAFolder", {"work/Listenbox"}, {"drives/c/Dict/Type1/a.wav"}, "a.wav", "", ""}));

TEST_F(JobPlayerFixture, WithoutASelectedRowSaysSo) {
    player.ListView1DblClick(nullptr);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "No jobs have been selected.");
    EXPECT_EQ(boxes.shown[0].caption, convert::kInformationCaption);
    EXPECT_EQ(boxes.shown[0].icon, convert::BoxIcon::Information);
    EXPECT_EQ(boxes.shown[0].buttons, convert::BoxButtons::Ok);
    EXPECT_TRUE(started.empty() && opener.opened.empty());
}

} // namespace
