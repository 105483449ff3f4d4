// A sweep over generated inputs: whatever the input name, user ID and location, the name keeps
// the header's fixed positions, stays within 117 characters and never splits a character.
#include "convert/output_namer.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>

namespace convert {
namespace {

// The pieces inputs are made of: header-like runs, blanks, controls, dots and UTF-8 letters.
constexpr std::string_view kPieces[] = {"N 0315-012 1001 0000 00 ",
                                        "-",
                                        " ",
                                        "\t",
                                        "\x01",
                                        ".",
                                        "wav",
                                        "abc",
                                        "0315",
                                        "7",
                                        "\xC3\xA9",
                                        "\xE2\x82\xAC",
                                        "123456",
                                        "-3",
                                        "AB",
                                        "S",
                                        "\r\n"};

std::string RandomText(std::mt19937& random, int maxPieces) {
    std::uniform_int_distribution<int> count(0, maxPieces);
    std::uniform_int_distribution<std::size_t> piece(0, std::size(kPieces) - 1);
    std::string text;
    for (int n = count(random); n > 0; --n) {
        text += kPieces[piece(random)];
    }
    return text;
}

bool IsValidUtf8(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const std::size_t length = lead < 0x80          ? 1
                                   : (lead >> 5) == 0x6 ? 2
                                   : (lead >> 4) == 0xE ? 3
                                                        : 4;
        if (at + length > text.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[at + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        at += length;
    }
    return true;
}

TEST(OutputNameSweepTest, KeepsTheLayoutForAnyInput) {
    std::mt19937 random(20260315);
    FixedClock clock(2026, 3, 15, 14, 35);
    OutputNamer namer(clock);
    namer.UpdateJobDateKey();
    shell::Settings settings;
    for (int round = 0; round < 20000; ++round) {
        settings.VoxFormat = round % 5 - 1;
        settings.Priority = round % 3 - 1;
        settings.AppendSource = (round & 1) != 0;
        settings.AppendDate = (round & 2) != 0;
        settings.DictatorID = RandomText(random, 3);
        const std::string input = RandomText(random, 12);
        const std::string user = RandomText(random, 3);
        const std::string location = RandomText(random, 2);
        const std::string name = namer.BuildOutputName(settings, input, user, location);
        SCOPED_TRACE("round " + std::to_string(round) + ", input [" + input + "], user [" + user +
                     "], location [" + location + "], name [" + name + "]");
        ASSERT_LE(name.size(), kMaxOutputNameLength);
        ASSERT_GE(name.size(), 7u);
        ASSERT_EQ(name[6], '-');
        ASSERT_TRUE(IsValidUtf8(name));
        if (settings.AppendDate) {
            ASSERT_NE(name.find("@0315-1435 "), std::string::npos);
        }
    }
}

} // namespace
} // namespace convert
