#include "wavefile/converter_reason.h"

#include "files/path_parts.h"
#include "files/unique_fd.h"
#include "wavefile/file_access.h"

#include <fcntl.h>
#include <unistd.h>

namespace wavefile {
namespace {

constexpr std::size_t kLongestReason = 400;

} // namespace

std::string ConverterReasonPath(const std::string& nativeResult) {
    return files::folderOf(nativeResult) + "/." + files::nameOf(nativeResult) + ".reason";
}

bool WriteConverterReason(const std::string& nativeResult, const std::string& reason) {
    const files::UniqueFd file(::open(ConverterReasonPath(nativeResult).c_str(),
                                      O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0644));
    const std::string line = reason.substr(0, kLongestReason) + "\n";
    return file && WriteFully(SystemWaveFileIo(), file.get(), line.data(), line.size());
}

std::string TakeConverterReason(const std::string& nativeResult) {
    const std::string path = ConverterReasonPath(nativeResult);
    const files::UniqueFd file(
        ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
    std::string reason;
    if (file) {
        reason.resize(kLongestReason);
        const ssize_t got = ReadFully(SystemWaveFileIo(), file.get(), reason.data(), reason.size());
        reason.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
        reason = reason.substr(0, reason.find('\n'));
    }
    ::unlink(path.c_str());
    return reason;
}

} // namespace wavefile
