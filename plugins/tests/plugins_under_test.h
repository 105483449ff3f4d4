// The two format plug-ins as the shared suites see them: their open and save operations and
// the extension of their files.
#pragma once

#include "common/plugin_contract.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace plugintest {

struct PluginUnderTest {
    const char* name;
    const char* extension; // with the dot
    bool (*open)(const char* fileName, SoundHeader* header, int16_t** body, PluginOptions* options);
    bool (*save)(const char* fileName, SoundHeader* header, const int16_t* body,
                 PluginOptions* options);
    intptr_t (*about)();
    const char* aboutTemplate;
    const char* optionsTemplate;
};

const std::vector<PluginUnderTest>& pluginsUnderTest();

inline void PrintTo(const PluginUnderTest& plugin, std::ostream* out) {
    *out << plugin.name;
}

} // namespace plugintest
