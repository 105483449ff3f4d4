#include "platform/paths.h"
#include "platform_test/test_folder.h"

#include <gtest/gtest.h>

namespace {

using platform_test::ScopedEnv;
using platform_test::TestFolder;

struct JoinCase {
    const char* folder;
    const char* name;
    const char* expected;
};

void PrintTo(const JoinCase& c, std::ostream* os) {
    *os << c.folder << " + " << c.name;
}

class JoinPathTest : public ::testing::TestWithParam<JoinCase> {};

TEST_P(JoinPathTest, JoinsInTheFoldersOwnStyle) {
    const JoinCase& c = GetParam();
    EXPECT_EQ(platform::joinPath(c.folder, c.name), c.expected)
        << "folder \"" << c.folder << "\" name \"" << c.name << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JoinPathTest,
    ::testing::Values(JoinCase{"C:\\Dict\\Type1", "a.wav", "C:\\Dict\\Type1\\a.wav"},
                      JoinCase{"C:\\Dict\\Type1\\", "a.wav", "C:\\Dict\\Type1\\a.wav"},
                      JoinCase{"c:/dict/type1", "a.wav", "c:/dict/type1\\a.wav"},
                      JoinCase{"c:", "a.wav", "c:\\a.wav"},
                      JoinCase{"/home/u/in", "a b.wav", "/home/u/in/a b.wav"},
                      JoinCase{"/home/u/in/", "a.wav", "/home/u/in/a.wav"},
                      JoinCase{"in", "x.dss", "in/x.dss"},
                      JoinCase{"Dict\\In", "x.dss", "Dict\\In\\x.dss"},
                      JoinCase{"", "x.dss", "x.dss"}));

TEST(DriveRootTest, ComesFromTheEnvironmentInOrder) {
    ScopedEnv home("HOME", "/home/someone");
    {
        ScopedEnv root("IMPORT_DRIVE_ROOT", "/srv/drives");
        ScopedEnv data("XDG_DATA_HOME", "/data");
        EXPECT_EQ(platform::driveRoot(), "/srv/drives");
    }
    {
        ScopedEnv root("IMPORT_DRIVE_ROOT", std::nullopt);
        ScopedEnv data("XDG_DATA_HOME", "/data");
        EXPECT_EQ(platform::driveRoot(), "/data/quorvel-import/drives");
    }
    {
        ScopedEnv root("IMPORT_DRIVE_ROOT", "");
        ScopedEnv data("XDG_DATA_HOME", std::nullopt);
        EXPECT_EQ(platform::driveRoot(), "/home/someone/.local/share/quorvel-import/drives");
    }
}

TEST(TempFolderTest, EndsWithOneSeparator) {
    {
        ScopedEnv tmp("TMPDIR", "/var/tmp");
        EXPECT_EQ(platform::tempFolder(), "/var/tmp/");
    }
    {
        ScopedEnv tmp("TMPDIR", "/var/tmp/");
        EXPECT_EQ(platform::tempFolder(), "/var/tmp/");
    }
    {
        ScopedEnv tmp("TMPDIR", std::nullopt);
        EXPECT_EQ(platform::tempFolder(), "/tmp/");
    }
}

TEST(ExecutableFolderTest, HoldsThisTest) {
    const std::string folder = platform::executableFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_TRUE(std::filesystem::exists(folder + "platform_test"));
}

// A drive root with c/Convert/TSP/type1/Job.WAV and c/Dict/Type1.
class ResolvePathTest : public ::testing::Test {
protected:
    void SetUp() override {
        drives_.makeFolder("c/Convert/TSP/type1");
        drives_.writeFile("c/Convert/TSP/type1/Job.WAV", "x");
        drives_.makeFolder("c/Dict/Type1");
        drives_.makeFolder("D/Data");
    }
    std::string root() const { return drives_.str(); }

    TestFolder drives_;
    ScopedEnv rootEnv_{"IMPORT_DRIVE_ROOT", drives_.str()};
};

TEST_F(ResolvePathTest, MapsDriveLettersBelowTheRoot) {
    const struct {
        const char* stored;
        std::string expected;
    } cases[] = {
        {"C:\\Dict\\Type1", root() + "/c/Dict/Type1"},
        {"c:/Dict/Type1", root() + "/c/Dict/Type1"},
        {"C:\\Dict/Type1\\", root() + "/c/Dict/Type1/"},
        {"C:", root() + "/c"},
        {"C:\\", root() + "/c/"},
        {"C:\\\\Dict\\\\Type1", root() + "/c/Dict/Type1"},
        {"d:\\data", root() + "/D/Data"},
        {"C:\\Convert\\TSP\\Type1", root() + "/c/Convert/TSP/type1"},
        {"c:\\convert\\tsp\\TYPE1\\job.wav", root() + "/c/Convert/TSP/type1/Job.WAV"},
        {"C:\\Missing\\Type1", root() + "/c/Missing/Type1"},
        {"C:\\Dict\\New\\sub", root() + "/c/Dict/New/sub"},
        {"c:\\tmp.wav", root() + "/c/tmp.wav"},
        {"E:\\x", root() + "/e/x"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::resolvePath(c.stored), c.expected) << "stored \"" << c.stored << "\"";
    }
}

TEST_F(ResolvePathTest, PosixPathsKeepTheirFormAndFindCase) {
    const struct {
        std::string stored;
        std::string expected;
    } cases[] = {
        {root() + "/c/Dict/Type1", root() + "/c/Dict/Type1"},
        {root() + "/C/dict/type1", root() + "/c/Dict/Type1"},
        {root() + "\\c\\dict", root() + "/c/Dict"},
        {root() + "/c/./Dict/../Dict", root() + "/c/./Dict/../Dict"},
        {"/", "/"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::resolvePath(c.stored), c.expected) << "stored \"" << c.stored << "\"";
    }
}

TEST_F(ResolvePathTest, RelativePathsStayRelativeToTheWorkingFolder) {
    platform_test::ScopedWorkingFolder cwd(drives_.path() / "c");
    EXPECT_EQ(platform::resolvePath(".\\import.ini"), "./import.ini");
    EXPECT_EQ(platform::resolvePath("dict\\TYPE1"), "Dict/Type1");
    EXPECT_EQ(platform::resolvePath("import.ini"), "import.ini");
}

TEST_F(ResolvePathTest, PrefersTheExactCaseAndIsStableAmongSeveralMatches) {
    drives_.makeFolder("c/Dict/TYPE1");
    drives_.makeFolder("c/Dict/type1");
    EXPECT_EQ(platform::resolvePath("C:\\Dict\\Type1"), root() + "/c/Dict/Type1");
    EXPECT_EQ(platform::resolvePath("C:\\Dict\\tYPE1"), root() + "/c/Dict/TYPE1");
}

TEST_F(ResolvePathTest, ExistenceFollowsTheResolvedPath) {
    EXPECT_TRUE(platform::pathExists("C:\\CONVERT\\tsp\\Type1\\JOB.wav"));
    EXPECT_FALSE(platform::isDirectory("C:\\CONVERT\\tsp\\Type1\\JOB.wav"));
    EXPECT_TRUE(platform::isDirectory("c:/dict/type1"));
    EXPECT_FALSE(platform::pathExists("C:\\Dict\\Type2"));
    EXPECT_FALSE(platform::pathExists(""));
}

TEST(LeavesItsDriveTest, CountsTheDotDotsOfDriveLetterPathsOnly) {
    const struct {
        const char* stored;
        bool leaves;
    } cases[] = {
        {"C:\\Convert\\..\\..\\..\\escaped", true},
        {"C:\\..", true},
        {"c:..\\x", true},
        {"C:/a/../../d/x", true},
        {"C:\\a\\.\\..\\..", true},
        {"C:\\Convert\\TSP\\..\\type1", false},
        {"C:\\a\\..", false},
        {"C:\\.\\.\\x", false},
        {"C:\\a..b\\..", false},
        {"C:", false},
        {"/srv/../etc", false},
        {"..\\..\\x", false},
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::leavesItsDrive(c.stored), c.leaves) << c.stored;
}

TEST(BackslashStyleTest, DriveLettersAndBackslashesCount) {
    EXPECT_TRUE(platform::usesBackslashStyle("C:/x"));
    EXPECT_TRUE(platform::usesBackslashStyle("a\\b"));
    EXPECT_FALSE(platform::usesBackslashStyle("/a/b"));
    EXPECT_FALSE(platform::usesBackslashStyle("1:/a"));
}

} // namespace
