#include "gui_functions.h"

#include <dlfcn.h>
#include <string>

namespace textpack {
namespace {

// QCoreApplication's static instance pointer. Looked up by name so that Textpack needs no Qt:
// it is found only when the process itself has loaded Qt.
constexpr const char* qtApplicationSymbol = "_ZN16QCoreApplication4selfE";

bool qtApplicationExists() {
    void* symbol = dlsym(RTLD_DEFAULT, qtApplicationSymbol);
    return symbol != nullptr && *static_cast<void**>(symbol) != nullptr;
}

std::string besideThisLibrary(const char* name) {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&qtApplicationExists), &info) == 0 ||
        info.dli_fname == nullptr) {
        return name;
    }
    const std::string self = info.dli_fname;
    const auto slash = self.rfind('/');
    return slash == std::string::npos ? std::string(name) : self.substr(0, slash + 1) + name;
}

const GuiFunctions* loadGui() {
    // Kept loaded for the life of the process: Qt objects it created may outlive any call.
    void* library = dlopen(besideThisLibrary("TextpackGui.so").c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        library = dlopen("TextpackGui.so", RTLD_NOW | RTLD_LOCAL);
    }
    if (library == nullptr) {
        return nullptr;
    }
    using Entry = const GuiFunctions* (*)();
    auto entry = reinterpret_cast<Entry>(dlsym(library, guiEntryName));
    return entry ? entry() : nullptr;
}

} // namespace

const GuiFunctions* guiFunctions() {
    static const GuiFunctions* loaded = nullptr;
    if (loaded == nullptr && qtApplicationExists()) {
        loaded = loadGui();
    }
    return loaded;
}

} // namespace textpack
