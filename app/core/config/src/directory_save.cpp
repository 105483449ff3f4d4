#include "config/config_store.h"
#include "config/directory_table.h"

#include "platform/paths.h"
#include "platform/private_profile.h"

#include <sys/stat.h>

namespace shell {

namespace {

std::string withoutTrailingBackslash(std::string folder) {
    if (!folder.empty() && folder.back() == '\\') {
        folder.pop_back();
    }
    return folder;
}

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

constexpr const char* kLineBreakInCellText = "a cell holds a line break";

// Creating the output folder is a convenience; the conversion reports a missing one itself.
// A blank cell names no folder (created, " " would be a folder named by one blank).
void createOneFolderLevel(const std::string& storedFolder) {
    if (IsBlankFolder(storedFolder)) {
        return;
    }
    const std::string native = platform::resolvePath(storedFolder);
    static_cast<void>(::mkdir(native.c_str(), 0777));
}

} // namespace

std::string FirstCharacters(const std::string& text, std::size_t count) {
    std::size_t end = 0;
    for (std::size_t taken = 0; end < text.size() && taken < count; ++taken) {
        ++end;
        while (end < text.size() && isContinuationByte(text[end])) {
            ++end;
        }
    }
    return text.substr(0, end);
}

DirectoryRow SavedRowValues(const DirectoryRow& gridRow) {
    DirectoryRow saved;
    saved.cells[0] = withoutTrailingBackslash(gridRow.cells[0]);
    saved.cells[1] = withoutTrailingBackslash(gridRow.cells[1]);
    saved.cells[2] = FirstCharacters(gridRow.cells[2], kUserIdLength);
    saved.cells[3] = FirstCharacters(gridRow.cells[3], kLocationLength);
    return saved;
}

void ConfigStore::SaveDirectoryTable(const std::vector<DirectoryRow>& gridRows) const {
    const DirectoryRow emptyRow;
    std::vector<DirectoryRow> savedRows;
    for (int row = 1; row <= kSavedTableRows; ++row) {
        const std::size_t index = static_cast<std::size_t>(row - 1);
        savedRows.push_back(SavedRowValues(index < gridRows.size() ? gridRows[index] : emptyRow));
    }
    // A cell that no write can store would fail half-way through the table: refuse the whole
    // table before its first key is written.
    for (const DirectoryRow& saved : savedRows) {
        for (const std::string& cell : saved.cells) {
            if (!platform::isStorableProfileValue(cell)) {
                throw ConfigWriteError(storedPath_, kLineBreakInCellText);
            }
        }
    }
    for (int row = 1; row <= kSavedTableRows; ++row) {
        const std::size_t index = static_cast<std::size_t>(row - 1);
        for (int column = 0; column < kDirectoryColumnCount; ++column) {
            WriteString(DirectoryKey(column, row),
                        savedRows[index].cells[static_cast<std::size_t>(column)]);
        }
        createOneFolderLevel(index < gridRows.size() ? gridRows[index].outputDir() : "");
    }
}

} // namespace shell
