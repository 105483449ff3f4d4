// Calling a format plug-in: choose the table row by the file name, load the row's library for
// this one call, resolve its entry point, call it and unload the library again. Nothing is
// cached, so every call finds the plug-in in its freshly loaded state.
#pragma once

#include "format_table.h"

namespace quiesc {

// Which options record a call passes to the plug-in.
enum class OptionsSource {
    TableRow,    // the chosen row's own record, useHeaderFormat 0: the plug-in may ask the user
    FreshRecord, // a record of this call only, useHeaderFormat 1: the header says everything
};

// True when the plug-in reports success. Otherwise the message is in lastErrorText: string 502
// with the file name (no row), 504 with the library name (not loaded), 503 with the format
// name (no entry point), or the plug-in's own.
bool callOpenPlugin(const char* fileName, SoundHeader* header, int16_t** body,
                    OptionsSource source);
bool callSavePlugin(const char* fileName, SoundHeader* header, const int16_t* body,
                    OptionsSource source);

} // namespace quiesc
