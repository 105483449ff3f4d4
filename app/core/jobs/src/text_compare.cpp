#include "jobs/job_sort.h"

#include <clocale>
#include <cstring>
#include <string>

namespace shell {

namespace {

bool collationIsBytewise() {
    const char* name = std::setlocale(LC_COLLATE, nullptr);
    return name == nullptr || std::strcmp(name, "C") == 0 || std::strcmp(name, "POSIX") == 0 ||
           std::strncmp(name, "C.", 2) == 0;
}

unsigned char lowerAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : c;
}

// Dictionary order where the locale's collation is plain byte order: letters compare ignoring
// case first, then lower case sorts before upper case of the same letter.
int compareDictionaryOrder(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char la = lowerAscii(static_cast<unsigned char>(a[i]));
        const unsigned char lb = lowerAscii(static_cast<unsigned char>(b[i]));
        if (la != lb) {
            return la < lb ? -1 : 1;
        }
    }
    if (a.size() != b.size()) {
        return a.size() < b.size() ? -1 : 1;
    }
    for (std::size_t i = 0; i < common; ++i) {
        if (a[i] != b[i]) {
            return (a[i] >= 'a' && a[i] <= 'z') ? -1 : 1;
        }
    }
    return 0;
}

int sign(int value) {
    return (value > 0) - (value < 0);
}

} // namespace

int CompareText(std::string_view a, std::string_view b) {
    if (collationIsBytewise()) {
        return compareDictionaryOrder(a, b);
    }
    const int collated = std::strcoll(std::string(a).c_str(), std::string(b).c_str());
    return collated != 0 ? sign(collated) : sign(a.compare(b));
}

} // namespace shell
