// The two plug-in tables, one for opening and one for saving: which library and entry point
// handle which file-name extension.
#pragma once

#include "common/plugin_contract.h"

#include <cstddef>

namespace quiesc {

struct FormatEntry {
    char extension[32];     // without the dot; chosen ignoring the case of A to Z
    char formatName[32];    // shown in the missing-entry-point message
    char libraryName[1024]; // as the platform it was designed for names it ("Adpcmio.dll")
    char entryName[64];
    // Live state: a plug-in's options dialog writes the user's choices back into formatIndex
    // and rateIndex, so the next dialog of the same row starts where the user left it.
    PluginOptions options;
};

struct FormatTable {
    FormatEntry* rows;
    std::size_t count;
};

// The tables live from load to unload of the toolkit; only the rows' options change.
FormatTable& openTable();
FormatTable& saveTable();

// The row whose extension equals the file name's extension (the text after its last dot,
// searching from the second character), in row order, or null.
FormatEntry* chooseRow(const FormatTable& table, const char* fileName);

} // namespace quiesc
