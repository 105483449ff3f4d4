#pragma once
// Whether the directory table leads anywhere: a first start on a machine where none of the
// table's input folders exists would otherwise show an empty list without a word.

#include "config/directory_table.h"

namespace shell {

inline constexpr const char* kNoInputFolderText =
    "No input folder exists. Set them up with Tools > Directories.";

// True when at least one input folder of the table's rows exists as a folder.
bool AnyInputFolderExists(const DirectoryTable& table);

} // namespace shell
