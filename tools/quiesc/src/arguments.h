// The arguments of one command: positional operands and "--name value" options.
#pragma once

#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quiesc_tool {

// What a command accepts: exactly `operands` operands, the options listed (each takes a
// value, given as "--name value" or "--name=value") and the flags listed (no value; a given
// flag reads as an option with the empty value).
struct ArgumentRules {
    int operands;
    std::initializer_list<const char*> options;
    std::initializer_list<const char*> flags = {};
};

class Arguments {
public:
    // Parses argv[first..argc); on a usage error returns nothing and sets `error`.
    static std::optional<Arguments> parse(int argc, char** argv, int first,
                                          const ArgumentRules& rules, std::string& error);

    const std::string& operand(std::size_t index) const { return operands_.at(index); }
    const std::string* option(const std::string& name) const;

private:
    std::vector<std::string> operands_;
    std::map<std::string, std::string> options_;
};

} // namespace quiesc_tool
