#include "files/full_write.h"

#include <unistd.h>

#include <vector>

namespace files {
namespace {

constexpr std::size_t kCopyBlock = 1 << 16;

} // namespace

bool copyContent(int from, int to) {
    std::vector<char> block(kCopyBlock);
    const auto write = [to](const void* data, std::size_t size) { return ::write(to, data, size); };
    for (;;) {
        const ssize_t got = ::read(from, block.data(), block.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        if (!writeFully(write, block.data(), static_cast<std::size_t>(got)))
            return false;
    }
}

} // namespace files
