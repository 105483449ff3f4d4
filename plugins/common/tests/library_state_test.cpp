#include <gtest/gtest.h>

#include <dlfcn.h>
#include <string>
#include <unistd.h>

namespace {

std::string besideTestProgram(const char* name) {
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    std::string self(path, length > 0 ? static_cast<size_t>(length) : 0);
    return self.substr(0, self.rfind('/') + 1) + name;
}

struct Probe {
    void* handle = nullptr;
    void (*setTarget)(char*) = nullptr;
    void (*reportText)(const char*) = nullptr;
    const char* (*messageText)() = nullptr;
    void (*loadCaption)() = nullptr;

    explicit Probe(const char* name) {
        handle = dlopen(besideTestProgram(name).c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) {
            ADD_FAILURE() << dlerror();
            return;
        }
        setTarget = reinterpret_cast<void (*)(char*)>(dlsym(handle, "probeSetTarget"));
        reportText = reinterpret_cast<void (*)(const char*)>(dlsym(handle, "probeReportText"));
        messageText = reinterpret_cast<const char* (*)()>(dlsym(handle, "probeMessageText"));
        loadCaption = reinterpret_cast<void (*)()>(dlsym(handle, "probeLoadCaption"));
    }
    ~Probe() {
        if (handle) {
            dlclose(handle);
        }
    }
    bool ready() const { return setTarget && reportText && messageText && loadCaption; }
};

TEST(LibraryState, EachLibraryKeepsItsOwnMessageTarget) {
    Probe a("sink_probe_a.so");
    Probe b("sink_probe_b.so");
    ASSERT_TRUE(a.ready() && b.ready());

    char bufferOfA[512] = "";
    a.setTarget(bufferOfA);
    a.reportText("first");
    testing::internal::CaptureStderr();
    b.reportText("second");
    const std::string shownByB = testing::internal::GetCapturedStderr();

    EXPECT_STREQ(bufferOfA, "first.");
    EXPECT_STREQ(b.messageText(), "second.") << "B writes into its own buffer";
    EXPECT_NE(b.messageText(), bufferOfA);
    EXPECT_EQ(shownByB, ": second.\n") << "B's show flag is still set; A's target did not reach it";
}

TEST(LibraryState, ShowFlagStartsSetAndTargetClearsIt) {
    Probe a("sink_probe_a.so");
    ASSERT_TRUE(a.ready());
    a.loadCaption();
    testing::internal::CaptureStderr();
    a.reportText("shown");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Sound File: shown.\n");

    char buffer[512] = "";
    a.setTarget(buffer);
    testing::internal::CaptureStderr();
    a.reportText("kept");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_STREQ(buffer, "kept.");
}

} // namespace
