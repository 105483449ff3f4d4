#include "jobs/job_row.h"
#include "jobs/job_scan.h"

#include <gtest/gtest.h>

namespace {

TEST(GetImageIndexTest, UnderscoreMarksConvertedFiles) {
    for (const char* converted : {"_abc.wav", "_"})
        EXPECT_EQ(shell::GetImageIndex(converted), 2) << converted;
    for (const char* waiting : {"abc.wav", "", " _x", "x_"})
        EXPECT_EQ(shell::GetImageIndex(waiting), 1) << waiting;
}

TEST(SizeInKbTest, RoundsTheLow32BitsToTheNearestKb) {
    const struct {
        uint64_t bytes;
        const char* text;
    } cases[] = {{0, "0"},
                 {511, "0"},
                 {512, "1"},
                 {1000, "1"},
                 {1535, "1"},
                 {1536, "2"},
                 {2600, "3"},
                 {0xFFFFFFFFull, "4194304"},
                 {0x100000000ull, "0"},
                 {0x100000000ull + 2600, "3"}};
    for (const auto& c : cases)
        EXPECT_EQ(shell::SizeInKbText(c.bytes), c.text) << c.bytes << " bytes";
}

} // namespace
