#include "platform/private_profile.h"
#include "platform_test/test_folder.h"
#include "platform_test/unprivileged.h"

#include <sys/resource.h>

#include <gtest/gtest.h>

#include <csignal>

namespace {

using platform::PrivateProfile;
using platform_test::readFileBytes;
using platform_test::TestFolder;

class PrivateProfileTest : public ::testing::Test {
protected:
    PrivateProfile withContent(const std::string& content) {
        return PrivateProfile(folder_.writeFile("import.ini", content).string());
    }
    std::string fileBytes() const { return readFileBytes(folder_.path() / "import.ini"); }

    TestFolder folder_;
};

struct ReadCase {
    const char* label;
    const char* content;
    const char* section;
    const char* key;
    const char* expected;
};

const ReadCase kReadCases[] = {
    {"plain CRLF", "[Startup]\r\nA=1\r\n", "Startup", "A", "1"},
    {"plain LF", "[Startup]\nA=1\n", "Startup", "A", "1"},
    {"no final line break", "[Startup]\nA=1", "Startup", "A", "1"},
    {"section ignores case", "[STARTUP]\r\nA=1\r\n", "startup", "A", "1"},
    {"key ignores case", "[Startup]\r\ninputdir1=x\r\n", "Startup", "InputDir1", "x"},
    {"first key wins", "[Startup]\r\nA=first\r\na=second\r\n", "Startup", "A", "first"},
    {"blanks trimmed", "[Startup]\r\n  A  =   spaced value \t\r\n", "Startup", "A", "spaced value"},
    {"quotes removed", "[Startup]\r\nA=\"quoted\"\r\n", "Startup", "A", "quoted"},
    {"one pair only", "[Startup]\r\nA=\"\"twice\"\"\r\n", "Startup", "A", "\"twice\""},
    {"quoted blank", "[Startup]\r\nA=\" \"\r\n", "Startup", "A", " "},
    {"lone quote kept", "[Startup]\r\nA=\"open\r\n", "Startup", "A", "\"open"},
    {"empty value", "[Startup]\r\nA=\r\n", "Startup", "A", ""},
    {"equals in value", "[Startup]\r\nA=x=y\r\n", "Startup", "A", "x=y"},
    {"other section", "[Other]\r\nA=no\r\n[Startup]\r\nA=yes\r\n", "Startup", "A", "yes"},
    {"key of next section", "[Startup]\r\nB=1\r\n[Other]\r\nA=no\r\n", "Startup", "A", "dflt"},
    {"first section only", "[Startup]\r\nB=1\r\n[Startup]\r\nA=2\r\n", "Startup", "A", "dflt"},
    {"key before any section", "A=orphan\r\n[Startup]\r\n", "Startup", "A", "dflt"},
    {"comment is no key", "[Startup]\r\n;A=commented\r\n", "Startup", "A", "dflt"},
    {"line without equals", "[Startup]\r\nA\r\n", "Startup", "A", "dflt"},
    {"section name blanks", "[ Startup ]\r\nA=1\r\n", "Startup", "A", "1"},
    {"indented section", "  [Startup]\r\nA=1\r\n", "Startup", "A", "1"},
    {"missing key", "[Startup]\r\n", "Startup", "A", "dflt"},
    {"empty file", "", "Startup", "A", "dflt"},
    {"byte order mark", "\xEF\xBB\xBF[Startup]\r\nA=1\r\n", "Startup", "A", "1"},
    {"non-ASCII value", "[Startup]\r\nA=C:\\Diktat\\Müller\r\n", "Startup", "A",
     "C:\\Diktat\\Müller"},
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.label;
}

class ProfileReadTest : public PrivateProfileTest,
                        public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ProfileReadTest, ReadsAsTheProfileCallsDo) {
    const ReadCase& c = GetParam();
    EXPECT_EQ(withContent(c.content).readString(c.section, c.key, "dflt"), c.expected) << c.label;
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileReadTest, ::testing::ValuesIn(kReadCases));

TEST_F(PrivateProfileTest, MissingFileGivesTheDefault) {
    PrivateProfile profile((folder_.path() / "absent.ini").string());
    EXPECT_EQ(profile.readString("Startup", "A", "9999"), "9999");
    EXPECT_EQ(profile.readString("Startup", "A", "x  "), "x") << "trailing blanks of a default";
    EXPECT_FALSE(std::filesystem::exists(folder_.path() / "absent.ini"));
}

TEST_F(PrivateProfileTest, ReadsAtMostBufferSizeMinusOneCharacters) {
    const std::string longValue(3000, 'v');
    PrivateProfile profile = withContent("[Startup]\r\nA=" + longValue + "\r\nB=1234\r\n");
    EXPECT_EQ(profile.readString("Startup", "A", ""), std::string(2047, 'v'));
    EXPECT_EQ(profile.readString("Startup", "B", "", 2), "1");
    EXPECT_EQ(profile.readString("Startup", "B", "", 1), "");
    EXPECT_EQ(profile.readString("Startup", "B", "", 0), "");
    EXPECT_EQ(profile.readString("Startup", "C", "789", 2), "7");
}

// Where a write puts its key: in place, at the end of its section, or in a new section; lines
// that are not ours survive, and every line ends in CRLF.
TEST_F(PrivateProfileTest, WritesTheKeyInItsPlace) {
    const struct {
        const char* label;
        const char* before; // nullptr: no file yet
        const char* section;
        const char* key;
        const char* after;
    } cases[] = {
        {"new file", nullptr, "Startup", "A", "[Startup]\r\nA=v\r\n"},
        {"in place", "; ours\n[Other]\nA=keep\n\n[startup]\n  a = 307\nB=5\nno key\n\n[Tail]\n",
         "Startup", "A",
         "; ours\r\n[Other]\r\nA=keep\r\n\r\n[startup]\r\na=v\r\nB=5\r\nno key\r\n\r\n"
         "[Tail]\r\n"},
        {"end of its section", "[Startup]\r\nB=1\r\n\r\n[Tail]\r\nZ=1\r\n", "Startup", "A",
         "[Startup]\r\nB=1\r\nA=v\r\n\r\n[Tail]\r\nZ=1\r\n"},
        {"empty section", "[Startup]\r\n[Tail]\r\n", "startup", "A",
         "[Startup]\r\nA=v\r\n[Tail]\r\n"},
        {"new section", "[Other]\nA=1", "Startup", "A", "[Other]\r\nA=1\r\n[Startup]\r\nA=v\r\n"},
    };
    for (const auto& c : cases) {
        const std::string path = (folder_.path() / (std::string(c.label) + ".ini")).string();
        if (c.before != nullptr)
            folder_.writeFile(std::string(c.label) + ".ini", c.before);
        ASSERT_TRUE(PrivateProfile(path).writeString(c.section, c.key, "v")) << c.label;
        EXPECT_EQ(readFileBytes(path), c.after) << c.label;
    }
}

TEST_F(PrivateProfileTest, ValuesReadBackExactlyAsWritten) {
    PrivateProfile profile((folder_.path() / "import.ini").string());
    const std::string values[] = {" ",  "  two  ",      "\"quoted\"", "x=y",        "",
                                  "\"", "C:\\a b\\c;d", "Müller",     "tab\tinside"};
    for (const std::string& value : values) {
        ASSERT_TRUE(profile.writeString("Startup", "Key", value)) << "[" << value << "]";
        EXPECT_EQ(profile.readString("Startup", "Key", "dflt"), value) << "[" << value << "]";
    }
    ASSERT_TRUE(profile.writeString("Startup", "Blank", " "));
    EXPECT_NE(fileBytes().find("Blank=\" \"\r\n"), std::string::npos) << fileBytes();
}

TEST_F(PrivateProfileTest, RefusesWhatALineCannotHold) {
    PrivateProfile profile = withContent("[Startup]\r\nA=1\r\n");
    const struct {
        const char* label;
        std::string section, key, value;
    } cases[] = {
        {"line break in value", "Startup", "A", "1\r\nInjected=1"},
        {"LF in value", "Startup", "A", "x\ny"},
        {"NUL in value", "Startup", "A", std::string("a\0b", 3)},
        {"equals in key", "Startup", "A=B", "1"},
        {"comment key", "Startup", ";A", "1"},
        {"section key", "Startup", "[A", "1"},
        {"empty key", "Startup", "", "1"},
        {"empty section", "", "A", "1"},
        {"bracket in section", "Start]up", "A", "1"},
        {"blank-edged key", "Startup", " A", "1"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(profile.writeString(c.section, c.key, c.value)) << c.label;
    }
    EXPECT_EQ(fileBytes(), "[Startup]\r\nA=1\r\n");
}

struct UnwritablePlace {
    const char* label;
    std::string (*make)(const TestFolder&);
};

const UnwritablePlace kUnwritablePlaces[] = {
    {"missing folder",
     [](const TestFolder& f) { return (f.path() / "no folder" / "import.ini").string(); }},
    {"folder is a file",
     [](const TestFolder& f) { return (f.writeFile("file") / "import.ini").string(); }},
    {"path is a folder", [](const TestFolder& f) { return f.makeFolder("dir.ini").string(); }},
    // Binds the super-user too, unlike the permissions of a read-only folder.
    {"read-only file system", [](const TestFolder&) { return std::string("/proc/import.ini"); }},
};

void PrintTo(const UnwritablePlace& p, std::ostream* os) {
    *os << p.label;
}

class ProfileWriteFailureTest : public PrivateProfileTest,
                                public ::testing::WithParamInterface<UnwritablePlace> {};

TEST_P(ProfileWriteFailureTest, ReportsFalse) {
    PrivateProfile profile(GetParam().make(folder_));
    EXPECT_FALSE(profile.writeString("Startup", "A", "1")) << GetParam().label;
}

INSTANTIATE_TEST_SUITE_P(Places, ProfileWriteFailureTest, ::testing::ValuesIn(kUnwritablePlaces));

TEST_F(PrivateProfileTest, ReadOnlyFolderReportsFalse) {
    const auto dir = folder_.makeFolder("locked");
    platform_test::shareWithEveryone(folder_.path());
    std::filesystem::permissions(
        dir, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec |
                 std::filesystem::perms::others_read | std::filesystem::perms::others_exec);
    const std::optional<bool> written = platform_test::runUnprivileged([&] {
        return PrivateProfile((dir / "import.ini").string()).writeString("Startup", "A", "1");
    });
    ASSERT_TRUE(written.has_value()) << "the check could not run without privileges";
    EXPECT_FALSE(*written);
    EXPECT_FALSE(std::filesystem::exists(dir / "import.ini"));
}

// A full disk in the middle of a write must leave the old file whole.
TEST_F(PrivateProfileTest, FailedWriteKeepsTheOldFile) {
    const std::string original = "[Startup]\r\nA=1\r\n";
    PrivateProfile profile = withContent(original);
    struct rlimit old {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = profile.writeString("Startup", "Big", std::string(4096, 'x'));
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(fileBytes(), original);
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder_.path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 1u) << "no temporary file is left behind";
}

TEST_F(PrivateProfileTest, WritesThroughALinkToItsTarget) {
    const auto target = folder_.writeFile("real.ini", "[Startup]\r\n");
    const auto link = folder_.path() / "link.ini";
    std::filesystem::create_symlink(target, link);
    ASSERT_TRUE(PrivateProfile(link.string()).writeString("Startup", "A", "1"));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readFileBytes(target), "[Startup]\r\nA=1\r\n");
}

TEST_F(PrivateProfileTest, StoredPathsAreResolved) {
    folder_.makeFolder("c/Config");
    platform_test::ScopedEnv root("IMPORT_DRIVE_ROOT", folder_.str());
    PrivateProfile profile("C:\\CONFIG\\App.ini");
    ASSERT_TRUE(profile.writeString("Startup", "A", "1"));
    EXPECT_EQ(readFileBytes(folder_.path() / "c/Config/App.ini"), "[Startup]\r\nA=1\r\n");
    EXPECT_EQ(PrivateProfile("c:/config/app.INI").readString("startup", "a", ""), "1");
}

} // namespace
