// Helpers shared by the tests of the VOX and WAV plug-ins: temporary folders, file bytes,
// option records and the exact message texts a failure must leave.
#pragma once

#include "common/plugin_contract.h"
#include "platform_test/test_folder.h"

#include <cstdint>
#include <string>
#include <vector>

namespace plugintest {

using Bytes = std::vector<uint8_t>;

Bytes readBytes(const std::string& path);
void writeBytes(const std::string& path, const Bytes& bytes);
bool fileExists(const std::string& path);

// Options for a call without a dialog whose messages land in `errorText` (512 bytes).
PluginOptions headerFormatOptions(char* errorText);
// Options for a call that asks the user in the plug-in's dialog.
PluginOptions dialogOptions(char* errorText, uint16_t formatIndex = 0, uint16_t rateIndex = 0);

// The text of string `id`, as Textpack holds it.
std::string text(unsigned id);
// "<string id> (\"<name>\")."
std::string messageWithName(unsigned id, const std::string& name);
// String 103 expanded with the tag, then the name.
std::string unsupportedTagMessage(uint16_t formatTag, const std::string& name);
// The system's text for `error`, then the name.
std::string systemErrorMessage(int error, const std::string& name);

// A speech-like test signal that covers the whole 16-bit range, including both extremes.
std::vector<int16_t> testSignal(uint32_t count);

// A byte pattern whose values walk through all 256 byte values.
Bytes byteSweep(std::size_t count);

} // namespace plugintest
