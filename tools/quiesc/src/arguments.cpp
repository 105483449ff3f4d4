#include "arguments.h"

#include <cstring>

namespace quiesc_tool {
namespace {

bool isListed(std::initializer_list<const char*> names, const std::string& name) {
    for (const char* accepted : names) {
        if (name == accepted) {
            return true;
        }
    }
    return false;
}

bool isAccepted(const ArgumentRules& rules, const std::string& name) {
    return isListed(rules.options, name) || isListed(rules.flags, name);
}

// Short spellings of long options, as other sound tools spell them.
std::string longName(const std::string& argument) {
    return argument == "-t" ? "--type" : argument;
}

bool isOption(const std::string& argument) {
    return argument.rfind("--", 0) == 0 || argument == "-t";
}

} // namespace

std::optional<Arguments> Arguments::parse(int argc, char** argv, int first,
                                          const ArgumentRules& rules, std::string& error) {
    Arguments parsed;
    bool optionsEnded = false;
    for (int i = first; i < argc; ++i) {
        const std::string given = argv[i];
        if (!optionsEnded && given == "--") {
            optionsEnded = true; // what follows are file names, even when they begin with "-"
            continue;
        }
        if (optionsEnded || !isOption(given)) {
            parsed.operands_.push_back(given);
            continue;
        }
        const std::string argument = longName(given);
        const std::size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        if (!isAccepted(rules, name)) {
            error = "unknown option " + name;
            return std::nullopt;
        }
        if (parsed.options_.count(name) != 0) {
            error = "option " + name + " given twice";
            return std::nullopt;
        }
        if (isListed(rules.flags, name)) {
            if (equals != std::string::npos) {
                error = "option " + name + " takes no value";
                return std::nullopt;
            }
            parsed.options_[name] = "";
        } else if (equals != std::string::npos) {
            parsed.options_[name] = argument.substr(equals + 1);
        } else if (i + 1 < argc) {
            parsed.options_[name] = argv[++i];
        } else {
            error = "option " + name + " needs a value";
            return std::nullopt;
        }
    }
    if (static_cast<int>(parsed.operands_.size()) != rules.operands) {
        error = "expected " + std::to_string(rules.operands) + " file name" +
                (rules.operands == 1 ? "" : "s") + ", got " +
                std::to_string(parsed.operands_.size());
        return std::nullopt;
    }
    return parsed;
}

const std::string* Arguments::option(const std::string& name) const {
    const auto found = options_.find(name);
    return found == options_.end() ? nullptr : &found->second;
}

} // namespace quiesc_tool
