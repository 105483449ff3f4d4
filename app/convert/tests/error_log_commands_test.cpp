#include "convert/error_log_commands.h"

#include "box_recorder.h"
#include "platform_test/test_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace convert {
namespace {

class ErrorLogCommandsTest : public testing::Test {
protected:
    platform_test::TestFolder folder;
    platform_test::ScopedWorkingFolder cwd{folder.path()};
    convert_test::BoxRecorder boxes;
    convert_test::OpenRecorder opened;
    ErrorLogCommands commands{boxes, opened.opener()};
    std::filesystem::path log = folder.path() / "errorlog.txt";

    void ExpectTheQuestion() const {
        ASSERT_GE(boxes.shown.size(), 1u);
        const MessageBoxRequest& question = boxes.shown[0];
        EXPECT_EQ(question.text, "Do you wish to clear the log?");
        EXPECT_EQ(question.caption, "Error Log");
        EXPECT_EQ(question.icon, BoxIcon::Question);
        EXPECT_EQ(question.buttons, BoxButtons::YesNo);
        EXPECT_EQ(question.owner, BoxOwner::MainWindow);
    }
};

TEST_F(ErrorLogCommandsTest, ViewOpensTheLogOfTheWorkingFolder) {
    commands.ErrorLog1Click();
    ASSERT_EQ(opened.opened.size(), 1u);
    EXPECT_EQ(std::filesystem::path(opened.opened[0]), log);
    EXPECT_TRUE(boxes.shown.empty()); // a missing handler is not reported
}

TEST_F(ErrorLogCommandsTest, AnsweringNoLeavesTheLogAlone) {
    folder.writeFile("errorlog.txt", "03/15/26 14:35:09: Error:  x\r\n");
    boxes.answers = {BoxAnswer::No};
    commands.ClearErrorLog1Click();
    ExpectTheQuestion();
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(platform_test::readFileBytes(log), "03/15/26 14:35:09: Error:  x\r\n");
    EXPECT_TRUE(opened.opened.empty());
}

TEST_F(ErrorLogCommandsTest, AnsweringYesEmptiesTheLogAndOpensIt) {
    folder.writeFile("errorlog.txt", "03/15/26 14:35:09: Error:  x\r\n");
    boxes.answers = {BoxAnswer::Yes};
    commands.ClearErrorLog1Click();
    ExpectTheQuestion();
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(log));
    EXPECT_EQ(std::filesystem::file_size(log), 0u);
    ASSERT_EQ(opened.opened.size(), 1u);
    EXPECT_EQ(std::filesystem::path(opened.opened[0]), log);
}

TEST_F(ErrorLogCommandsTest, ClearingCreatesAMissingLog) {
    boxes.answers = {BoxAnswer::Yes};
    commands.ClearErrorLog1Click();
    EXPECT_TRUE(std::filesystem::exists(log));
    EXPECT_EQ(std::filesystem::file_size(log), 0u);
}

TEST_F(ErrorLogCommandsTest, ALogThatCannotBeOpenedGivesTheBox) {
    std::filesystem::create_directory(log);
    boxes.answers = {BoxAnswer::Yes};
    commands.ClearErrorLog1Click();
    ExpectTheQuestion();
    ASSERT_EQ(boxes.shown.size(), 2u);
    EXPECT_EQ(boxes.shown[1].text, "Error opening file");
    EXPECT_EQ(boxes.shown[1].caption, "Error");
    EXPECT_EQ(boxes.shown[1].buttons, BoxButtons::Ok);
    EXPECT_EQ(boxes.shown[1].owner, BoxOwner::None);
    EXPECT_TRUE(opened.opened.empty());
}

TEST(ErrorLogCommandsWithoutOpenerTest, DoesNothingButClear) {
    platform_test::TestFolder folder;
    convert_test::BoxRecorder boxes;
    boxes.answers = {BoxAnswer::Yes};
    const ErrorLogCommands commands(boxes, DocumentOpener(),
                                    ErrorLogFile((folder.path() / "errorlog.txt").string()));
    commands.ErrorLog1Click();
    commands.ClearErrorLog1Click();
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "errorlog.txt"));
}

} // namespace
} // namespace convert
