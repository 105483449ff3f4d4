#pragma once
// Whether the directory table leads anywhere: a first start on a machine where none of the
// table's input folders exists would otherwise show an empty list without a word.

#include "config/directory_table.h"

#include <string>

namespace shell {

// True when at least one input folder of the table's rows exists as a folder; a blank row names
// no folder, whatever lies in the working folder.
bool AnyInputFolderExists(const DirectoryTable& table);

// The hint the window shows while no input folder exists (empty once one does). It says how to
// get one: a drop creates the first row's folder, Tools > Directories sets up any.
std::string NoInputFolderHint(const DirectoryTable& table);

} // namespace shell
