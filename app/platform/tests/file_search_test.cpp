#include "platform/file_search.h"
#include "platform_test/test_folder.h"

#include <dirent.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace {

using platform_test::ScopedEnv;
using platform_test::TestFolder;

struct MatchCase {
    const char* pattern;
    const char* name;
    bool matches;
};

void PrintTo(const MatchCase& c, std::ostream* os) {
    *os << c.pattern << " ~ " << c.name;
}

class WildcardMatchTest : public ::testing::TestWithParam<MatchCase> {};

TEST_P(WildcardMatchTest, IgnoresCase) {
    const MatchCase& c = GetParam();
    EXPECT_EQ(platform::wildcardMatch(c.pattern, c.name), c.matches)
        << "pattern \"" << c.pattern << "\" name \"" << c.name << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WildcardMatchTest,
    ::testing::Values(MatchCase{"*.wav", "abc.wav", true}, MatchCase{"*.wav", "ABC.WAV", true},
                      MatchCase{"*.dss", "x.DsS", true}, MatchCase{"*.wav", ".wav", true},
                      MatchCase{"*.wav", "abc.wave", false},
                      MatchCase{"*.wav", "abc.wav.bak", false}, MatchCase{"*.wav", "abcwav", false},
                      MatchCase{"*.wav", "a.wav.wav", true}, MatchCase{"?.wav", "a.wav", true},
                      MatchCase{"?.wav", "ab.wav", false}, MatchCase{"*", "anything", true},
                      MatchCase{"a*b*c", "aXXbYYc", true}, MatchCase{"a*b*c", "aXXbYY", false},
                      MatchCase{"*.wav", "Ärger $(x) ;&.wav", true}, MatchCase{"", "a", false}));

std::vector<std::string> namesOf(const std::vector<platform::FoundEntry>& entries) {
    std::vector<std::string> names;
    for (const auto& e : entries) {
        names.push_back(e.name);
    }
    return names;
}

class FindEntriesTest : public ::testing::Test {
protected:
    TestFolder drives_;
    ScopedEnv rootEnv_{"IMPORT_DRIVE_ROOT", drives_.str()};
};

TEST_F(FindEntriesTest, ListsMatchesIgnoringCaseInNameOrder) {
    drives_.makeFolder("c/Dict/Type1");
    drives_.writeFile("c/Dict/Type1/abc.wav", std::string(1000, 'a'));
    drives_.writeFile("c/Dict/Type1/LOUD.WAV", std::string(2600, 'b'));
    drives_.writeFile("c/Dict/Type1/_done.wav", "");
    drives_.writeFile("c/Dict/Type1/other.dss", "x");
    drives_.writeFile("c/Dict/Type1/name with blanks & $x.wav", "");
    drives_.makeFolder("c/Dict/Type1/folder.wav");

    const auto found = platform::findEntries("C:\\DICT\\type1", "*.wav");

    EXPECT_EQ(namesOf(found), (std::vector<std::string>{"_done.wav", "abc.wav", "folder.wav",
                                                        "LOUD.WAV", "name with blanks & $x.wav"}));
    ASSERT_EQ(found.size(), 5u);
    for (const auto& e : found) {
        if (e.name == "abc.wav") {
            EXPECT_EQ(e.size, 1000u);
            EXPECT_FALSE(e.isDirectory);
        } else if (e.name == "LOUD.WAV") {
            EXPECT_EQ(e.size, 2600u);
        } else if (e.name == "folder.wav") {
            EXPECT_TRUE(e.isDirectory);
            EXPECT_EQ(e.size, 0u);
        } else {
            EXPECT_EQ(e.size, 0u) << e.name;
        }
    }
}

// The order never depends on the order in which files reached the disk.
TEST_F(FindEntriesTest, OrderIgnoresCreationOrderAndCase) {
    const std::vector<std::string> sorted = {"a.wav", "B.wav",  "b1.wav",    "ba.wav",   "C.WAV",
                                             "c.wav", "c.wavx", "ÄRGER.wav", "ärger.wav"};
    for (auto name = sorted.rbegin(); name != sorted.rend(); ++name)
        drives_.writeFile("c/order/" + *name, "x");

    EXPECT_EQ(namesOf(platform::findEntries("C:\\order", "*")), sorted);
}

// Missing and blank folders find nothing, "." and ".." are never returned, and a dangling
// link is listed.
TEST_F(FindEntriesTest, EdgesOfTheSearch) {
    EXPECT_TRUE(platform::findEntries("C:\\Nowhere", "*.wav").empty());
    EXPECT_TRUE(platform::findEntries(" ", "*.wav").empty());
    drives_.makeFolder("c/links");
    EXPECT_TRUE(platform::findEntries("C:\\links", "*").empty());
    std::filesystem::create_symlink(drives_.path() / "c/links/gone",
                                    drives_.path() / "c/links/x.wav");
    const auto found = platform::findEntries("c:/links", "*.WAV");
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].name, "x.wav");
    EXPECT_EQ(found[0].kind, platform::EntryKind::SymbolicLink);
}

// The kind is the entry's own: a link to a file is a link, though its size is the file's.
TEST_F(FindEntriesTest, EachEntryTellsWhatItIsItself) {
    namespace fs = std::filesystem;
    const fs::path folder = drives_.makeFolder("c/kinds");
    drives_.writeFile("c/kinds/file.wav", "12345");
    drives_.makeFolder("c/kinds/folder.wav");
    fs::create_symlink(folder / "file.wav", folder / "link.wav");
    fs::create_directory_symlink(folder / "folder.wav", folder / "linked folder.wav");
    ASSERT_EQ(::mkfifo((folder / "pipe.wav").c_str(), 0600), 0);
    using platform::EntryKind;
    const std::vector<std::tuple<std::string, EntryKind, uint64_t, bool>> expected = {
        {"file.wav", EntryKind::RegularFile, 5, false},
        {"folder.wav", EntryKind::Directory, 0, true},
        {"link.wav", EntryKind::SymbolicLink, 5, false},
        {"linked folder.wav", EntryKind::SymbolicLink, 0, true},
        {"pipe.wav", EntryKind::Other, 0, false},
    };
    std::vector<std::tuple<std::string, EntryKind, uint64_t, bool>> found;
    for (const platform::FoundEntry& entry : platform::findEntries("C:\\kinds", "*.wav"))
        found.emplace_back(entry.name, entry.kind, entry.size, entry.isDirectory);
    EXPECT_EQ(found, expected);
}

} // namespace
