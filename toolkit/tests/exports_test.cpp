// The library exports its C functions by their plain names and nothing of its insides.
#include "Quiesc.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

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

TEST(Exports, InternalsStayHidden) {
    ToolkitLibrary library;
    ASSERT_NE(library.handle(), nullptr);
    for (const char* name :
         {"_ZN6quiesc15applyFormatCodeER11SoundHeaderjj", "_ZN6quiesc13lastErrorTextE",
          "_ZN6common14findExtensionEPKc", "_ZN6common16setMessageTargetEPc"}) {
        EXPECT_EQ(dlsym(library.handle(), name), nullptr) << name;
    }
}

} // namespace
