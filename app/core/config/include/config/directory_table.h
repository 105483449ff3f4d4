#pragma once
// The directory table: rows of input folder, output folder, user ID and location, stored as the
// numbered keys InputDir<n>, OutputDir<n>, UserID<n>, Loc<n> of section "Startup".

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace platform {
class ProfileReader;
}

namespace shell {

inline constexpr int kMaxTableRows = 101;
inline constexpr int kDirectoryColumnCount = 4;

// Key base names in column order (column 0 InputDir ... column 3 Loc).
inline constexpr std::array<const char*, kDirectoryColumnCount> kDirectoryKeyBases = {
    "InputDir", "OutputDir", "UserID", "Loc"};

// Header texts of the directory grid's row 0, in column order.
inline constexpr std::array<const char*, kDirectoryColumnCount> kDirectoryHeaders = {
    "Input Directories", "Output Directories", "User ID", "Location"};

// One grid row: cells[0] input folder, [1] output folder, [2] user ID, [3] location.
struct DirectoryRow {
    std::array<std::string, kDirectoryColumnCount> cells;

    const std::string& inputDir() const { return cells[0]; }
    const std::string& outputDir() const { return cells[1]; }
    const std::string& userId() const { return cells[2]; }
    const std::string& location() const { return cells[3]; }
    bool endsTable() const { return cells[0].empty(); }
};

// The rows as a scan reads them into grid rows 1, 2, ...: rowsRead[i] is grid row i + 1. When
// the table ended at an empty InputDir, that row (read in full) is the last entry of rowsRead
// and is not part of the table; tableRowCount counts the rows before it.
struct DirectoryTable {
    std::vector<DirectoryRow> rowsRead;
    int tableRowCount = 0;
};

// True when a folder cell names no folder: empty, or only blanks and other white space. Such a
// row still keeps the table going (the first run writes " " into rows 10 to 101), but nothing
// is scanned in it, created for it or copied to it.
bool IsBlankFolder(std::string_view folder);

// The key name of a table row's column, e.g. ("InputDir", 12) -> "InputDir12".
std::string DirectoryKey(int column, int row);

// Reads rows 1 to 101 until the first empty InputDir (every missing key reads as empty).
DirectoryTable ReadDirectoryTable(const platform::ProfileReader& profile);

// Rows the directories dialog stores (grid rows 1 to 100).
inline constexpr int kSavedTableRows = 100;
inline constexpr std::size_t kUserIdLength = 5;
inline constexpr std::size_t kLocationLength = 2;

// The four values Save stores for a grid row: folders with one trailing backslash removed,
// the user ID cut to 5 and the location to 2 characters (UTF-8 characters, never split).
DirectoryRow SavedRowValues(const DirectoryRow& gridRow);

// The first `count` UTF-8 characters of the text (all of it when shorter).
std::string FirstCharacters(const std::string& text, std::size_t count);

// The value the first run stores in a cell: rows 1-9 the example folders, user IDs 1001-1009
// and location "00"; rows 10-101 one blank.
std::string FirstRunCell(int column, int row);

} // namespace shell
