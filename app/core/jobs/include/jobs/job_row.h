#pragma once
// A job row of the job list: caption (column 0) and seven sub-items, plus its image.

#include <array>
#include <string>
#include <string_view>

namespace shell {

inline constexpr int kJobColumnCount = 8;

enum JobColumn : int {
    kColInputFile = 0,
    kColInputSize = 1,
    kColOutputFile = 2,
    kColOutputSize = 3,
    kColInputDir = 4,
    kColOutputDir = 5,
    kColUserId = 6,
    kColLoc = 7,
};

enum class ColumnAlignment { Left, Right };

struct JobColumnLayout {
    const char* header;
    int width;
    ColumnAlignment alignment;
};

inline constexpr std::array<JobColumnLayout, kJobColumnCount> kJobColumns = {{
    {"Input File", 175, ColumnAlignment::Left},
    {"Size (KB)", 55, ColumnAlignment::Right},
    {"Output File", 175, ColumnAlignment::Left},
    {"Size (KB)", 55, ColumnAlignment::Right},
    {"Input Dir", 100, ColumnAlignment::Left},
    {"Output Dir", 100, ColumnAlignment::Left},
    {"User ID", 60, ColumnAlignment::Left},
    {"Loc", 40, ColumnAlignment::Left},
}};

// Images of ImageList1 used by job rows.
inline constexpr int kImageWaiting = 1;
inline constexpr int kImageConverted = 2;

struct JobRow {
    std::array<std::string, kJobColumnCount> columns;
    int image = kImageWaiting;
};

// 2 when the text begins with "_" (a converted file), otherwise 1 (also for an empty text).
int GetImageIndex(std::string_view text);

} // namespace shell
