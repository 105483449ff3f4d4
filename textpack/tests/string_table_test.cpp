#include "textpack/Textpack.h"
#include "textpack/string_ids.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(StringTable, UnknownIdGivesTheEmptyText) {
    char buffer[16] = "stale";
    EXPECT_EQ(TextpackLoadString(105, buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(TextpackLoadString(0, buffer, sizeof buffer), 0);
    EXPECT_EQ(TextpackLoadString(99999, buffer, sizeof buffer), 0);
}

TEST(StringTable, CopyIsCutToTheBuffer) {
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(TextpackLoadString(106, buffer, 5), 4);
    EXPECT_STREQ(buffer, "The ");
    EXPECT_EQ(buffer[5], 'x') << "nothing written past the given size";
    EXPECT_EQ(TextpackLoadString(106, buffer, 1), 0);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(TextpackLoadString(106, nullptr, 10), 0);
}

// Templates are expanded with printf by their callers: each must hold exactly the one
// placeholder its caller supplies.
TEST(StringTable, TemplatesHoldTheirOnePlaceholder) {
    const struct {
        unsigned id;
        const char* placeholder;
    } templates[] = {{TEXT_ID_UNSUPPORTED_TAG, "%d"},
                     {TEXT_ID_PLAYBACK_FAILED, "%s"},
                     {TEXT_ID_NO_ENTRY_POINT, "%s"},
                     {TEXT_ID_PLUGIN_NOT_LOADED, "%s"}};
    for (const auto& t : templates) {
        char buffer[512];
        TextpackLoadString(t.id, buffer, sizeof buffer);
        const std::string text = buffer;
        const auto first = text.find('%');
        ASSERT_NE(first, std::string::npos) << "string " << t.id;
        EXPECT_EQ(text.substr(first, 2), t.placeholder) << "string " << t.id;
        EXPECT_EQ(text.find('%', first + 1), std::string::npos) << "string " << t.id;
    }
}

TEST(StringTable, PlainTextsHoldNoPlaceholder) {
    for (unsigned id = 100; id < 600; ++id) {
        if (id == TEXT_ID_UNSUPPORTED_TAG || id == TEXT_ID_PLAYBACK_FAILED ||
            id == TEXT_ID_NO_ENTRY_POINT || id == TEXT_ID_PLUGIN_NOT_LOADED) {
            continue;
        }
        char buffer[512];
        TextpackLoadString(id, buffer, sizeof buffer);
        EXPECT_EQ(std::strchr(buffer, '%'), nullptr) << "string " << id;
    }
}

} // namespace
