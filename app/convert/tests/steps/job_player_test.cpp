#include "convert/job_player.h"

#include "convert/report_command.h"

#include "platform_test/test_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using platform_test::TestFolder;

class RecordingBoxes final : public convert::MessageBoxes {
public:
    convert::BoxAnswer Show(const convert::MessageBoxRequest& request) override {
        shown.push_back(request);
        return convert::BoxAnswer::Ok;
    }
    std::vector<convert::MessageBoxRequest> shown;
};

struct PlayCase {
    const char* name;
    std::vector<std::string> files;   // created below the working folder
    std::vector<std::string> folders; // likewise
    const char* caption;
    const char* started; // the program started with the file, or ""
    const char* opened;  // the file given to the default handler, or ""
};

void PrintTo(const PlayCase& c, std::ostream* os) {
    *os << c.name;
}

class JobPlayerTest : public ::testing::TestWithParam<PlayCase> {
protected:
    JobPlayerTest()
        : drives_("IMPORT_DRIVE_ROOT", folder.str() + "/drives")
        , working_(folder.makeFolder("work")) {}

    TestFolder folder;
    RecordingBoxes boxes;
    std::vector<std::string> opened;
    std::vector<std::pair<std::string, std::vector<std::string>>> started;
    convert::JobPlayer player{
        boxes,
        [this](const std::string& path) {
            opened.push_back(path);
            return true;
        },
        [this](const std::string& program, const std::vector<std::string>& args) {
            started.emplace_back(program, args);
            return true;
        }};

private:
    platform_test::ScopedEnv drives_;
    platform_test::ScopedWorkingFolder working_;
};

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
    if (*c.opened)
        EXPECT_EQ(opened, std::vector<std::string>{file});
    else
        EXPECT_TRUE(opened.empty());
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
            "InputIsAFolder", {"work/Listenbox"}, {"drives/c/Dict/Type1/a.wav"}, "a.wav", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(JobPlayerSelection, WithoutASelectedRowSaysSo) {
    RecordingBoxes boxes;
    bool anything = false;
    convert::JobPlayer player(
        boxes, [&](const std::string&) { return anything = true; },
        [&](const std::string&, const std::vector<std::string>&) { return anything = true; });
    player.ListView1DblClick(nullptr);
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "No jobs have been selected.");
    EXPECT_EQ(boxes.shown[0].caption, convert::kInformationCaption);
    EXPECT_EQ(boxes.shown[0].icon, convert::BoxIcon::Information);
    EXPECT_EQ(boxes.shown[0].buttons, convert::BoxButtons::Ok);
    EXPECT_FALSE(anything);
}

} // namespace
