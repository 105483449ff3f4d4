#include "plugin_library.h"

#include "Quiesc.h"

#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <sys/stat.h>

namespace quiesc {
namespace {

constexpr char designedSuffix[] = ".dll";
constexpr char platformSuffix[] = ".so";

bool endsWithIgnoringCase(const std::string& text, const char* suffix) {
    const std::size_t length = std::strlen(suffix);
    if (text.size() < length) {
        return false;
    }
    for (std::size_t i = 0; i < length; ++i) {
        const char c = text[text.size() - length + i];
        const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        if (lower != suffix[i]) {
            return false;
        }
    }
    return true;
}

// The folder of the loaded toolkit library, with a trailing '/', or empty when unknown.
std::string toolkitFolder() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&GetLastQcErrorText), &info) == 0 ||
        info.dli_fname == nullptr) {
        return {};
    }
    const std::string path = info.dli_fname;
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string overrideFolder() {
    const char* folder = std::getenv("QUIESC_PLUGIN_DIR");
    if (folder == nullptr || *folder == '\0') {
        return {};
    }
    std::string path = folder;
    if (path.back() != '/') {
        path += '/';
    }
    return path;
}

bool fileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string locate(const std::string& fileName) {
    for (const std::string& folder : {overrideFolder(), toolkitFolder()}) {
        if (!folder.empty() && fileExists(folder + fileName)) {
            return folder + fileName;
        }
    }
    return fileName;
}

} // namespace

std::string platformLibraryName(const char* tableName) {
    std::string name = tableName;
    if (endsWithIgnoringCase(name, designedSuffix)) {
        name.replace(name.size() - std::strlen(designedSuffix), std::string::npos, platformSuffix);
    }
    return name;
}

PluginLibrary::PluginLibrary(const char* tableName) {
    const std::string path = locate(platformLibraryName(tableName));
    handle_ = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

PluginLibrary::~PluginLibrary() {
    if (handle_ != nullptr) {
        ::dlclose(handle_);
    }
}

void* PluginLibrary::symbol(const char* name) const {
    return handle_ != nullptr ? ::dlsym(handle_, name) : nullptr;
}

} // namespace quiesc
