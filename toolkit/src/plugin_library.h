// A plug-in library loaded for one call and unloaded again when the object goes.
//
// Libraries are named in the tables as on the platform the toolkit was designed for
// ("Adpcmio.dll"); the ".dll" suffix maps to this platform's own (".so"). The file is looked
// for, in this order:
//   1. in the folder named by the environment variable QUIESC_PLUGIN_DIR, when it is set and
//      not empty (a seam for tests and for trying other plug-ins without replacing files);
//   2. in the folder of the toolkit library itself;
//   3. by the platform's normal library search (the bare file name).
// The first of folders 1 and 2 that holds the file is used, even if that file fails to load.
#pragma once

#include <string>

namespace quiesc {

// The table's library name with a trailing ".dll" (any case) replaced by this platform's suffix.
std::string platformLibraryName(const char* tableName);

class PluginLibrary {
public:
    explicit PluginLibrary(const char* tableName);
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    bool isLoaded() const { return handle_ != nullptr; }
    // The exported symbol, or null.
    void* symbol(const char* name) const;

private:
    void* handle_ = nullptr;
};

} // namespace quiesc
