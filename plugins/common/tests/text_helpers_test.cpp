#include "common/text_helpers.h"

#include <gtest/gtest.h>

#include <ostream>

#include <string>

namespace {

struct ExtensionCase {
    const char* path;
    const char* extension; // null: none
};

void PrintTo(const ExtensionCase& c, std::ostream* out) {
    *out << '"' << c.path << '"';
}

class FindExtension : public testing::TestWithParam<ExtensionCase> {};

TEST_P(FindExtension, ReturnsTheTextAfterTheLastDot) {
    const auto& c = GetParam();
    const char* found = common::findExtension(c.path);
    if (c.extension == nullptr) {
        EXPECT_EQ(found, nullptr) << c.path;
    } else {
        ASSERT_NE(found, nullptr) << c.path;
        EXPECT_STREQ(found, c.extension) << c.path;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Paths, FindExtension,
    testing::Values(ExtensionCase{"note.wav", "wav"}, ExtensionCase{"a.b.vox", "vox"},
                    ExtensionCase{"NOTE.WAV", "WAV"}, ExtensionCase{"dir.v\\name", "v\\name"},
                    ExtensionCase{".wav", nullptr}, ExtensionCase{"..wav", "wav"},
                    ExtensionCase{"name.", ""}, ExtensionCase{"name", nullptr},
                    ExtensionCase{"", nullptr}, ExtensionCase{".", nullptr}));

TEST(FindExtension, NullPathHasNoExtension) {
    EXPECT_EQ(common::findExtension(nullptr), nullptr);
}

TEST(LastBackslash, FindsTheLastOne) {
    EXPECT_EQ(common::lastBackslash("C:\\Dict\\Type1"), 7);
    EXPECT_EQ(common::lastBackslash("\\"), 0);
    EXPECT_EQ(common::lastBackslash("no/backslash/here"), -1);
    EXPECT_EQ(common::lastBackslash(""), -1);
}

} // namespace
