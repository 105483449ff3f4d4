#include "dropimport/drop_import.h"

#include "platform_test/folder_listing.h"
#include "platform_test/test_folder.h"
#include "platform_test/unprivileged.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

namespace {

namespace fs = std::filesystem;
using platform_test::TestFolder;

// Records every request as "<what>:<text>" and answers the question as told.
class RecordingWindow : public shell::DropImportWindow {
public:
    bool AskToImport(const std::string& question) override {
        calls.push_back("ask:" + question);
        return answerYes;
    }
    void RefuseDrop(const std::string& message) override { calls.push_back("refuse:" + message); }
    void BeginTransfer() override { calls.push_back("begin"); }
    void ProcessEvents() override {
        ++eventRounds;
        if (onEvents)
            onEvents();
    }
    void ShowCurrentFile(const std::string& text) override { calls.push_back(text); }
    void ShowInvalidType(const std::string& text) override { calls.push_back("invalid:" + text); }
    void EndTransfer() override { calls.push_back("end"); }
    void RefreshJobList() override { calls.push_back("refresh"); }
    void ShowImportedCount(const std::string& text) override { calls.push_back("count:" + text); }

    std::vector<std::string> calls;
    bool answerYes = true;
    int eventRounds = 0;
    std::function<void()> onEvents;
};

class DropImportTest : public ::testing::Test {
protected:
    std::string source(const std::string& name, const std::string& content = "RIFF....") const {
        return folder_.writeFile(fs::path("dropped") / name, content).string();
    }
    fs::path inbox() const { return folder_.path() / "drives/c/Dict/Type1"; }
    std::vector<std::string> inboxNames() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(inbox()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    int drop(const std::vector<std::string>& paths, const std::string& folder = "C:\\Dict\\Type1") {
        return shell::ImportDroppedFiles(folder, paths, window_);
    }

    TestFolder folder_;
    platform_test::ScopedEnv root_{"IMPORT_DRIVE_ROOT", folder_.str() + "/drives"};
    RecordingWindow window_;

    void SetUp() override { folder_.makeFolder("drives/c/Dict/Type1"); }
};

// Extensions are compared in lower case; dropped files are copied, never moved.
TEST_F(DropImportTest, ThreeWavesAndAnMp3) {
    const std::string a = source("A.WAV"), b = source("b.Dss"), mp3 = source("song.mp3"),
                      c = source("c.wav");
    EXPECT_EQ(drop({a, b, mp3, c, source("d.WAVE"), source("noext")}), 3);
    EXPECT_EQ(window_.calls,
              (std::vector<std::string>{
                  "ask:Do you wish to import files to folder "
                  "\"C:\\Dict\\Type1\"?",
                  "begin", "File:  " + a, "File:  " + b,
                  "invalid:" + mp3 + " is an invalid sound file type.", "File:  " + c,
                  "invalid:" + source("d.WAVE") + " is an invalid sound file type.",
                  "invalid:" + source("noext") + " is an invalid sound file type.", "refresh",
                  "end", "count:3 files imported."}));
    EXPECT_EQ(inboxNames(), (std::vector<std::string>{"A.WAV", "b.Dss", "c.wav"}));
    EXPECT_TRUE(fs::exists(a));
}

// The input folder may hold a dictation still waiting: names are compared ignoring case.
TEST_F(DropImportTest, AnExistingNameIsNeverReplaced) {
    folder_.writeFile("drives/c/Dict/Type1/ABC.WAV", "waiting dictation");
    folder_.writeFile("drives/c/Dict/Type1/abc(1).wav", "another one");
    EXPECT_EQ(drop({source("abc.wav", "new")}), 1);
    EXPECT_EQ(platform_test::readFileBytes(inbox() / "ABC.WAV"), "waiting dictation");
    EXPECT_EQ(platform_test::readFileBytes(inbox() / "abc(1).wav"), "another one");
    EXPECT_EQ(platform_test::readFileBytes(inbox() / "abc(2).wav"), "new");
}

TEST_F(DropImportTest, NoMeansNothingHappens) {
    window_.answerYes = false;
    EXPECT_EQ(drop({source("a.wav")}), 0);
    EXPECT_EQ(window_.calls.size(), 1u);
    EXPECT_TRUE(inboxNames().empty());
}

// An empty table, or the first run's blank row, names no folder: nothing is asked or created.
TEST_F(DropImportTest, AnEmptyOrBlankFirstRowRefusesTheDropWithoutAQuestion) {
    for (const char* folder : {"", " ", " \t "}) {
        window_.calls.clear();
        EXPECT_EQ(drop({source("a.wav")}, folder), 0);
        EXPECT_EQ(window_.calls, std::vector<std::string>{std::string("refuse:") +
                                                          shell::kNoInputFolderForDropText});
    }
    EXPECT_EQ(platform_test::folderEntries(folder_.path()),
              (std::vector<std::string>{"drives", "dropped"}));
}

// A file dropped from the input folder itself is already there: a copy beside it would be a
// second job of the same dictation.
TEST_F(DropImportTest, AFileAlreadyInTheInputFolderIsNotCopiedAgain) {
    const std::string waiting =
        folder_.writeFile("drives/c/Dict/Type1/abc.wav", "waiting").string();
    EXPECT_EQ(drop({waiting, source("new.wav")}), 1);
    EXPECT_EQ(inboxNames(), (std::vector<std::string>{"abc.wav", "new.wav"}));
}

// A copy that fails is not counted and leaves no partial file behind.
TEST_F(DropImportTest, FoldersAndVanishedFilesAreNotCopied) {
    const std::string wavFolder = folder_.makeFolder("dropped/take.wav").string();
    const std::string gone = source("gone.wav");
    fs::remove(gone);
    EXPECT_EQ(drop({wavFolder, gone, source("kept.wav")}), 1);
    EXPECT_EQ(inboxNames(), std::vector<std::string>{"kept.wav"});
}

TEST_F(DropImportTest, EventsBetweenFilesNeverSeeAPartialFile) {
    std::vector<std::string> paths;
    for (int i = 0; i < 500; ++i)
        paths.push_back(source("take" + std::to_string(i) + ".wav", std::string(2000, 'x')));
    int partialSeen = 0;
    window_.onEvents = [&] {
        for (const auto& entry : fs::directory_iterator(inbox()))
            partialSeen += entry.path().filename().string().front() == '.';
    };
    EXPECT_EQ(drop(paths), 500);
    EXPECT_EQ(inboxNames().size(), 500u);
    EXPECT_EQ(partialSeen, 0);
    EXPECT_GE(window_.eventRounds, 500);
    EXPECT_EQ(window_.calls.back(), "count:500 files imported.");
}

TEST_F(DropImportTest, FolderNamesWithBlanksQuotesAndOtherScripts) {
    folder_.makeFolder("drives/c/Diktate \"Frau Müller\"");
    EXPECT_EQ(drop({source("x.wav")}, "C:\\Diktate \"Frau Müller\""), 1);
    EXPECT_TRUE(fs::exists(folder_.path() / "drives/c/Diktate \"Frau Müller\"/x.wav"));
}

// A first start: the example folders do not exist. The drop offers to create the input folder
// with its parents and the row's output folder, and imports into it.
TEST_F(DropImportTest, AMissingDestinationIsCreatedWhenTheUserAgrees) {
    const std::string wav = source("x.wav");
    EXPECT_EQ(shell::ImportDroppedFiles("C:\\New\\Type1", {wav}, window_, "C:\\Out\\type1"), 1);
    EXPECT_EQ(window_.calls.front(), "ask:The folder \"C:\\New\\Type1\" does not exist yet. Do you "
                                     "wish to create it and import files to it?");
    EXPECT_EQ(window_.calls.back(), "count:1 files imported.");
    EXPECT_TRUE(fs::exists(folder_.path() / "drives/c/New/Type1/x.wav"));
    EXPECT_TRUE(fs::is_directory(folder_.path() / "drives/c/Out/type1"));
}

TEST_F(DropImportTest, DecliningToCreateTheDestinationCreatesNothing) {
    window_.answerYes = false;
    EXPECT_EQ(shell::ImportDroppedFiles("C:\\New", {source("x.wav")}, window_, "C:\\Out"), 0);
    EXPECT_EQ(window_.calls.size(), 1u);
    EXPECT_EQ(platform_test::folderEntries(folder_.path() / "drives/c"),
              std::vector<std::string>{"Dict"});
}

// A file where the folder should be: the drop says why and copies nothing.
TEST_F(DropImportTest, ADestinationThatCannotBeCreatedRefusesTheDropWithTheReason) {
    folder_.writeFile("drives/c/Blocked", "a file");
    EXPECT_EQ(drop({source("x.wav")}, "C:\\Blocked\\Type1"), 0);
    EXPECT_EQ(window_.calls.back(),
              "refuse:The folder \"C:\\Blocked\\Type1\" cannot be created: Not a directory");
}

TEST_F(DropImportTest, AnUnwritableDestinationLeavesNothingBehind) {
    const std::string wav = source("x.wav");
    platform_test::shareWithEveryone(folder_.path());
    fs::permissions(inbox(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                 fs::perms::others_read | fs::perms::others_exec);
    const std::optional<bool> copiedNothing = platform_test::runUnprivileged([&] {
        RecordingWindow window;
        return shell::ImportDroppedFiles("C:\\Dict\\Type1", {wav}, window) == 0 &&
               window.calls.back() == "count:0 files imported.";
    });
    ASSERT_TRUE(copiedNothing.has_value()) << "the check could not run unprivileged";
    EXPECT_TRUE(*copiedNothing);
    EXPECT_TRUE(inboxNames().empty());
}

} // namespace
