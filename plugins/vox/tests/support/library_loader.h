// Loads a plug-in library built beside the test program, as the toolkit does, and resolves
// its entries by name.
#pragma once

#include <string>

namespace plugintest {

class LoadedLibrary {
public:
    explicit LoadedLibrary(const std::string& fileName);
    ~LoadedLibrary();
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;

    bool loaded() const { return handle_ != nullptr; }
    const std::string& error() const { return error_; }
    void* symbol(const char* name) const;

    template <typename Function>
    Function entry(const char* name) const {
        return reinterpret_cast<Function>(symbol(name));
    }

private:
    void* handle_ = nullptr;
    std::string error_;
};

// The names a shared library exports (its defined dynamic function symbols), sorted; read
// from the ELF file with nm.
std::string exportedFunctions(const std::string& fileName);
std::string besideTestProgram(const std::string& fileName);

} // namespace plugintest
