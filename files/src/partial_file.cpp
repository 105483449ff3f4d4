#include "files/partial_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

namespace files {
namespace {

constexpr std::string_view kPartialEnding = ".part";
// Each library keeps its own count, so two of them in one process may pick one name: enough
// attempts to step past those and past names left by writers that died.
constexpr unsigned kCreateAttempts = 100;
constexpr std::size_t kLongestHostName = 63;

std::string partialPathFor(const std::string& nativeTarget, unsigned token) {
    const std::size_t slash = nativeTarget.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::string path = nativeTarget.substr(0, nameStart);
    path += '.';
    path.append(nativeTarget, nameStart, std::string::npos);
    path += '.';
    path += hostName();
    path += '-';
    path += std::to_string(::getpid());
    path += '-';
    path += std::to_string(token);
    path += kPartialEnding;
    return path;
}

bool isHostCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_';
}

std::optional<long long> digitsValue(std::string_view text) {
    if (text.empty() || text.size() > 12)
        return std::nullopt;
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// The positions in a partial name of the "." before the host, and of the "-" before the
// process id; npos when the name carries no writer.
struct WriterFields {
    std::size_t hostDot = std::string_view::npos;
    std::string_view host;
    std::string_view pid;
};

WriterFields writerFields(std::string_view name) {
    if (!isPartialName(name))
        return {};
    name.remove_suffix(kPartialEnding.size());
    const std::size_t tokenDash = name.rfind('-');
    if (tokenDash == std::string_view::npos || !digitsValue(name.substr(tokenDash + 1)))
        return {};
    const std::size_t pidDash = name.rfind('-', tokenDash - 1);
    if (pidDash == std::string_view::npos || pidDash == 0)
        return {};
    const std::size_t hostDot = name.rfind('.', pidDash - 1);
    // The target's name keeps at least one character.
    if (hostDot == std::string_view::npos || hostDot < 2 || hostDot + 1 >= pidDash)
        return {};
    WriterFields fields;
    fields.host = name.substr(hostDot + 1, pidDash - hostDot - 1);
    for (char c : fields.host)
        if (!isHostCharacter(c))
            return {};
    fields.pid = name.substr(pidDash + 1, tokenDash - pidDash - 1);
    if (!digitsValue(fields.pid))
        return {};
    fields.hostDot = hostDot;
    return fields;
}

bool processHasEnded(pid_t pid) {
    return ::kill(pid, 0) != 0 && errno == ESRCH;
}

bool unchangedSince(int folderFd, const char* name, std::time_t limit) {
    struct stat info {};
    return ::fstatat(folderFd, name, &info, AT_SYMLINK_NOFOLLOW) == 0 && info.st_mtime < limit;
}

bool isAbandoned(int folderFd, const char* name, std::time_t now) {
    const std::optional<PartialWriter> writer = partialWriter(name);
    if (writer && writer->host == hostName())
        return processHasEnded(writer->pid);
    const auto age = std::chrono::duration_cast<std::chrono::seconds>(kForeignPartialAge);
    return unchangedSince(folderFd, name, now - static_cast<std::time_t>(age.count()));
}

} // namespace

bool isPartialName(std::string_view name) {
    return name.size() > kPartialEnding.size() && name.front() == '.' &&
           name.ends_with(kPartialEnding);
}

const std::string& hostName() {
    static const std::string name = [] {
        char buffer[256] = {};
        if (::gethostname(buffer, sizeof buffer - 1) != 0)
            buffer[0] = '\0';
        std::string host;
        for (const char* c = buffer; *c != '\0' && *c != '.' && host.size() < kLongestHostName; ++c)
            host += isHostCharacter(*c) ? *c : '_';
        return host.empty() ? std::string("host") : host;
    }();
    return name;
}

PartialFile createPartial(const std::string& nativeTarget, mode_t mode) {
    static std::atomic<unsigned> counter{0};
    for (unsigned attempt = 0; attempt < kCreateAttempts; ++attempt) {
        std::string path = partialPathFor(nativeTarget, counter.fetch_add(1));
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0)
            return {UniqueFd(fd), std::move(path)};
        if (errno != EEXIST)
            break;
    }
    return {};
}

std::optional<PartialWriter> partialWriter(std::string_view name) {
    const WriterFields fields = writerFields(name);
    if (fields.hostDot == std::string_view::npos)
        return std::nullopt;
    const long long pid = *digitsValue(fields.pid);
    if (pid <= 0 || pid > 0x3fffffff)
        return std::nullopt;
    return PartialWriter{std::string(fields.host), static_cast<pid_t>(pid)};
}

std::string partialTarget(std::string_view name) {
    const WriterFields fields = writerFields(name);
    if (!partialWriter(name))
        return {};
    return std::string(name.substr(1, fields.hostDot - 1));
}

int removeAbandonedPartials(const std::string& nativeFolder, std::time_t now) {
    DIR* dir = ::opendir(nativeFolder.c_str());
    if (dir == nullptr)
        return 0;
    int removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        if (isPartialName(entry->d_name) && isAbandoned(::dirfd(dir), entry->d_name, now) &&
            ::unlinkat(::dirfd(dir), entry->d_name, 0) == 0) {
            ++removed;
        }
    }
    ::closedir(dir);
    return removed;
}

} // namespace files
