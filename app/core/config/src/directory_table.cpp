#include "config/directory_table.h"

#include "config/config_store.h"
#include "platform/private_profile.h"

#include <algorithm>
#include <cctype>

namespace shell {

namespace {

constexpr int kExampleRows = 9;

} // namespace

bool IsBlankFolder(std::string_view folder) {
    return std::all_of(folder.begin(), folder.end(),
                       [](unsigned char c) { return std::isspace(c) != 0; });
}

std::string DirectoryKey(int column, int row) {
    return std::string(kDirectoryKeyBases.at(static_cast<std::size_t>(column))) +
           std::to_string(row);
}

DirectoryTable ReadDirectoryTable(const platform::ProfileReader& profile) {
    DirectoryTable table;
    for (int row = 1; row <= kMaxTableRows; ++row) {
        DirectoryRow& read = table.rowsRead.emplace_back();
        for (int column = 0; column < kDirectoryColumnCount; ++column) {
            read.cells[static_cast<std::size_t>(column)] =
                profile.readString(kConfigSection, DirectoryKey(column, row), "");
        }
        if (read.endsTable()) {
            break;
        }
        ++table.tableRowCount;
    }
    return table;
}

std::string FirstRunCell(int column, int row) {
    if (row > kExampleRows) {
        return " ";
    }
    const std::string n = std::to_string(row);
    switch (column) {
    case 0:
        return "C:\\Dict\\Type" + n;
    case 1:
        return "C:\\Convert\\TSP\\type" + n;
    case 2:
        return "100" + n;
    default:
        return "00";
    }
}

} // namespace shell
