#include "platform/private_profile.h"
#include "platform_test/test_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>

namespace {

using platform_test::TestFolder;

const char* kFiles[] = {
    "",
    "[Startup]\r\nA=1\r\na=2\r\n B = \" x \" \r\n",
    "A=orphan\n[startup]\nb=3\n[Other]\nA=4\n[STARTUP]\nC=5\n",
    "; comment\n[Startup]\n;A=1\nA\nD=\"\"\n[ Startup ]\nE=6",
    "\xEF\xBB\xBF[Startup]\nA=bom\n",
    "[Startup]\r\nLong="
    "0123456789012345678901234567890123456789"
    "\r\n",
};

const char* kKeys[] = {"A", "a", "B", "b", "C", "D", "E", "Long", "Missing", ";A"};
const char* kSections[] = {"Startup", "STARTUP", "Other", "Absent"};

class ProfileReaderTest : public ::testing::TestWithParam<const char*> {};

TEST_P(ProfileReaderTest, AgreesWithKeyByKeyReads) {
    TestFolder folder;
    const std::string path = folder.writeFile("import.ini", GetParam()).string();
    const platform::PrivateProfile profile(path);
    const platform::ProfileReader reader(path);
    EXPECT_TRUE(reader.fileExisted());
    for (const char* section : kSections) {
        for (const char* key : kKeys) {
            for (std::size_t buffer : {std::size_t{2048}, std::size_t{2}, std::size_t{8}}) {
                EXPECT_EQ(reader.readString(section, key, "dflt ", buffer),
                          profile.readString(section, key, "dflt ", buffer))
                    << "section " << section << " key " << key << " buffer " << buffer;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Files, ProfileReaderTest, ::testing::ValuesIn(kFiles));

TEST(ProfileReaderMissingTest, ReadsDefaults) {
    TestFolder folder;
    const platform::ProfileReader reader((folder.path() / "absent.ini").string());
    EXPECT_FALSE(reader.fileExisted());
    EXPECT_EQ(reader.readString("Startup", "InputDir1", ""), "");
    EXPECT_EQ(reader.readString("Startup", "DictatorID", "9999"), "9999");
}

// What is not a regular file is refused without being opened for a blocking read: a FIFO in
// its place would otherwise hold the reader until someone writes into it.
TEST(ProfileReaderLoadTest, SaysWhyAFileWasNotLoadedAndWhichSectionsItHas) {
    TestFolder folder;
    ASSERT_EQ(::mkfifo(folder.file("fifo.ini").c_str(), 0600), 0);
    folder.makeFolder("folder.ini");
    folder.writeFile("plain.ini", "A=1\n[startup]\n");
    const struct {
        const char* name;
        int error;
        bool hasStartup;
    } cases[] = {
        {"absent.ini", ENOENT, false},
        {"fifo.ini", EINVAL, false},
        {"folder.ini", EISDIR, false},
        {"plain.ini", 0, true},
    };
    for (const auto& c : cases) {
        const platform::ProfileReader reader(folder.file(c.name));
        EXPECT_EQ(reader.loadError(), c.error) << c.name;
        EXPECT_EQ(reader.hasSection("Startup"), c.hasStartup) << c.name;
        EXPECT_FALSE(reader.hasSection("Other")) << c.name;
    }
}

TEST(ProfileReaderMoveTest, MovedFromReadsDefaults) {
    TestFolder folder;
    const std::string path = folder.writeFile("import.ini", "[Startup]\r\nA=1\r\n").string();
    platform::ProfileReader first(path);
    platform::ProfileReader second(std::move(first));
    EXPECT_EQ(second.readString("Startup", "A", ""), "1");
    EXPECT_EQ(first.readString("Startup", "A", "d"), "d"); // NOLINT(bugprone-use-after-move)
    EXPECT_FALSE(first.fileExisted());                     // NOLINT(bugprone-use-after-move)
}

TEST(ProfileReaderSnapshotTest, KeepsTheFileAsLoaded) {
    TestFolder folder;
    const std::string path = folder.writeFile("import.ini", "[Startup]\r\nA=1\r\n").string();
    const platform::ProfileReader reader(path);
    ASSERT_TRUE(platform::PrivateProfile(path).writeString("Startup", "A", "2"));
    EXPECT_EQ(reader.readString("Startup", "A", ""), "1");
    EXPECT_EQ(platform::ProfileReader(path).readString("Startup", "A", ""), "2");
}

} // namespace
