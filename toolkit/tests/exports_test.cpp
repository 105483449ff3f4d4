// The library exports its C functions by their plain names and nothing of its insides.
#include "Quiesc.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <dlfcn.h>
#include <string>
#include <vector>

namespace {

class ToolkitLibrary {
public:
    ToolkitLibrary() {
        Dl_info info{};
        if (dladdr(reinterpret_cast<void*>(&GetLastQcErrorText), &info) != 0) {
            handle_ = dlopen(info.dli_fname, RTLD_NOW | RTLD_NOLOAD);
        }
    }
    ~ToolkitLibrary() {
        if (handle_) {
            dlclose(handle_);
        }
    }
    ToolkitLibrary(const ToolkitLibrary&) = delete;
    ToolkitLibrary& operator=(const ToolkitLibrary&) = delete;
    void* handle() const { return handle_; }

private:
    void* handle_ = nullptr;
};

TEST(Exports, PlainNamesAreExported) {
    ToolkitLibrary library;
    ASSERT_NE(library.handle(), nullptr);
    for (const char* name :
         {"AllocateSoundBody", "FreeSoundBody", "GetLastQcErrorText", "SetQcParent",
          "OpenSoundFile", "OpenSoundFileEx", "SaveSoundFile", "SaveSoundFileEx"}) {
        EXPECT_NE(dlsym(library.handle(), name), nullptr) << name;
    }
}

// The dynamic symbol table lists no C++ symbol of the toolkit or of its helper layer.
TEST(Exports, InternalsStayHidden) {
    Dl_info info{};
    ASSERT_NE(dladdr(reinterpret_cast<void*>(&GetLastQcErrorText), &info), 0);
    const std::string command = std::string("nm -D --defined-only '") + info.dli_fname + "'";
    std::FILE* listing = ::popen(command.c_str(), "r");
    ASSERT_NE(listing, nullptr);
    std::vector<std::string> symbols;
    char line[1024];
    while (std::fgets(line, sizeof line, listing) != nullptr) {
        symbols.emplace_back(line);
    }
    ASSERT_EQ(::pclose(listing), 0) << command;
    ASSERT_FALSE(symbols.empty());
    bool listsAnExport = false;
    for (const std::string& symbol : symbols) {
        listsAnExport = listsAnExport || symbol.find(" T OpenSoundFileEx") != std::string::npos;
        EXPECT_EQ(symbol.find("_ZN6quiesc"), std::string::npos) << symbol;
        EXPECT_EQ(symbol.find("_ZN6common"), std::string::npos) << symbol;
    }
    EXPECT_TRUE(listsAnExport) << "the listing shows the exports";
}

} // namespace
