#include "textpack/Textpack.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// Every id the toolkit and the plug-ins load must exist and carry a non-empty text.
TEST(StringTable, EveryIdTheLibrariesUseHasAText) {
    const unsigned ids[] = {101, 102, 103, 104, 106, 107, 108, 110, 111, 112, 113, 114,
                            115, 116, 200, 201, 202, 203, 400, 401, 402, 502, 503, 504};
    for (unsigned id : ids) {
        char buffer[512];
        EXPECT_GT(TextpackLoadString(id, buffer, sizeof buffer), 0) << "string " << id;
        EXPECT_EQ(std::strlen(buffer), static_cast<size_t>(TextpackLoadString(id, buffer, 512)));
    }
}

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
    } templates[] = {{103, "%d"}, {402, "%s"}, {503, "%s"}, {504, "%s"}};
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
        if (id == 103 || id == 402 || id == 503 || id == 504) {
            continue;
        }
        char buffer[512];
        TextpackLoadString(id, buffer, sizeof buffer);
        EXPECT_EQ(std::strchr(buffer, '%'), nullptr) << "string " << id;
    }
}

} // namespace
