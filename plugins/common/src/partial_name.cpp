#include "common/partial_name.h"

#include <unistd.h>

namespace common {
namespace {

constexpr std::string_view partialEnding = ".part";

} // namespace

std::string partialPathFor(const std::string& target, unsigned token) {
    const std::size_t slash = target.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::string path = target.substr(0, nameStart);
    path += '.';
    path.append(target, nameStart, std::string::npos);
    path += '.';
    path += std::to_string(::getpid());
    path += '-';
    path += std::to_string(token);
    path += partialEnding;
    return path;
}

bool isPartialName(std::string_view name) {
    return name.size() > partialEnding.size() && name.front() == '.' &&
           name.ends_with(partialEnding);
}

} // namespace common
