// Numeric option values of the editing commands: seconds, decibels, fractions and counts.
#pragma once

#include "arguments.h"

#include <cstdint>
#include <optional>
#include <string>

namespace quiesc_tool {

// The whole text as a floating-point number ("nan" and negative values included: the toolkit
// judges them and reports its own message).
std::optional<double> parseNumber(const std::string& text);
// A decimal count up to 0xFFFFFFFF.
std::optional<uint32_t> parseCount(const std::string& text);

// The option's number, `fallback` when the option is absent; a value that does not parse
// gives nothing and a usage error in `error`.
std::optional<double> numberOption(const Arguments& arguments, const char* name, double fallback,
                                   std::string& error);

} // namespace quiesc_tool
