#pragma once
// The job-number search: the highest job number of the day among the output folder and its
// sibling folders "Type1" to "Type101", so that numbers stay unique per day across the
// installation's output folders: one sibling for each row the directory table can hold.

#include "config/directory_table.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace convert {

inline constexpr int kSiblingTypeFolders = shell::kMaxTableRows;

// A day never numbers this many jobs: a longer number comes from a stray file, and taking it
// would use up the day's numbers at once.
inline constexpr std::size_t kMaxJobNumberDigits = 6;

// The job number an entry name carries for the day key: when characters 3 to 6 (1-based) equal
// the key, the number read in the atol manner from character 8 on after a "-" at character 7,
// else from the four characters 7 to 10. Empty when the name is not of that day, or when its
// number has more than kMaxJobNumberDigits digits.
std::optional<int> JobNumberInEntryName(std::string_view name, std::string_view dateKey);

// The number a folder entry holds for the day: a partial file's reserves its target's number.
std::optional<int> JobNumberOfEntry(std::string_view entryName, std::string_view dateKey);

// P for an output folder D: D up to and including its last "\", "/" or ":" (empty when D
// names no parent, so the siblings are looked for in the working folder).
std::string_view JobNumberParent(std::string_view outputDir);

// The stored folders searched for an output folder D: D itself, then P + "Type1" to
// P + "Type101".
std::vector<std::string> JobNumberFolders(std::string_view outputDir);

// The highest job number of the day in every entry of those folders; 0 when none. Folders that
// do not exist are skipped; sibling names match ignoring case.
int HighestJobNumberOfDay(std::string_view outputDir, std::string_view dateKey);

} // namespace convert
