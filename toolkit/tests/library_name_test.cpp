#include "plugin_library.h"

#include <gtest/gtest.h>

namespace {

struct NameCase {
    const char* tableName;
    const char* fileName;
};

void PrintTo(const NameCase& c, std::ostream* out) {
    *out << '"' << c.tableName << '"';
}

class LibraryNameTest : public testing::TestWithParam<NameCase> {};

TEST_P(LibraryNameTest, MapsTheDesignedSuffixToThisPlatformsOwn) {
    EXPECT_EQ(quiesc::platformLibraryName(GetParam().tableName), GetParam().fileName);
}

INSTANTIATE_TEST_SUITE_P(
    Names, LibraryNameTest,
    testing::Values(NameCase{"Adpcmio.dll", "Adpcmio.so"}, NameCase{"Riffio.dll", "Riffio.so"},
                    NameCase{"SHOUT.DLL", "SHOUT.so"}, NameCase{"mixed.DlL", "mixed.so"},
                    NameCase{"Riffio.so", "Riffio.so"}, NameCase{"plain", "plain"},
                    NameCase{".dll", ".so"}, NameCase{"dll", "dll"},
                    NameCase{"a.dll.txt", "a.dll.txt"}, NameCase{"folder/a.dll", "folder/a.so"}));

} // namespace
