#include "library_loader.h"

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <vector>

namespace plugintest {

std::string besideTestProgram(const std::string& fileName) {
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    const std::string self(path, length > 0 ? static_cast<size_t>(length) : 0);
    return self.substr(0, self.rfind('/') + 1) + fileName;
}

LoadedLibrary::LoadedLibrary(const std::string& fileName)
    : handle_(dlopen(besideTestProgram(fileName).c_str(), RTLD_NOW | RTLD_LOCAL)) {
    if (handle_ == nullptr) {
        error_ = dlerror();
    }
}

LoadedLibrary::~LoadedLibrary() {
    if (handle_ != nullptr) {
        dlclose(handle_);
    }
}

void* LoadedLibrary::symbol(const char* name) const {
    return handle_ ? dlsym(handle_, name) : nullptr;
}

std::string exportedFunctions(const std::string& fileName) {
    const std::string command =
        "nm -D --defined-only '" + besideTestProgram(fileName) + "' 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return "(nm did not run)";
    }
    std::vector<std::string> names;
    char line[1024];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        std::istringstream fields(line);
        std::string address, type, name;
        fields >> address >> type >> name;
        // Text symbols only; the runtime's _init and _fini are not exports of ours.
        if ((type == "T" || type == "W") && name != "_init" && name != "_fini") {
            names.push_back(name);
        }
    }
    pclose(pipe);
    std::sort(names.begin(), names.end());
    std::string joined;
    for (const std::string& name : names) {
        joined += (joined.empty() ? "" : " ") + name;
    }
    return joined;
}

} // namespace plugintest
