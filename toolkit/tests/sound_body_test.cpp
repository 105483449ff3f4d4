#include "test_support.h"

#include "Quiesc.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/resource.h>

using toolkit_test::lastError;
using toolkit_test::PluginFolder;
using toolkit_test::TempFolder;

#if defined(__SANITIZE_ADDRESS__)
#define QUIESC_TEST_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUIESC_TEST_ASAN 1
#endif
#endif

#ifdef QUIESC_TEST_ASAN
// Under AddressSanitizer an allocation it cannot serve would abort the program; let it fail
// as a plain allocator does, and cap single allocations well below the 8 GiB asked for below.
extern "C" __attribute__((visibility("default"))) const char* __asan_default_options() {
    return "allocator_may_return_null=1:max_allocation_size_mb=2048";
}
#endif

namespace {

// The largest sample count: 2 x 0xFFFFFFFF bytes.
constexpr uint32_t impossibleSampleCount = 0xFFFFFFFF;

// Makes allocations of several GiB really fail: under AddressSanitizer through its options
// above, otherwise by capping the address space of the process while the object lives.
class AllocationCeiling {
public:
    AllocationCeiling() {
#ifndef QUIESC_TEST_ASAN
        getrlimit(RLIMIT_AS, &previous_);
        rlimit capped = previous_;
        capped.rlim_cur = rlim_t{2} << 30;
        setrlimit(RLIMIT_AS, &capped);
#endif
    }
    ~AllocationCeiling() {
#ifndef QUIESC_TEST_ASAN
        setrlimit(RLIMIT_AS, &previous_);
#endif
    }
    AllocationCeiling(const AllocationCeiling&) = delete;
    AllocationCeiling& operator=(const AllocationCeiling&) = delete;

private:
    [[maybe_unused]] rlimit previous_{};
};

TEST(SoundBody, AllocatesWritableSamples) {
    int16_t* body = nullptr;
    ASSERT_EQ(AllocateSoundBody(&body, 1000), QC_OK);
    ASSERT_NE(body, nullptr);
    for (int i = 0; i < 1000; ++i) {
        body[i] = static_cast<int16_t>(i);
    }
    EXPECT_EQ(body[999], 999);
    FreeSoundBody(body);
}

TEST(SoundBody, AnEmptyBodyIsARealBlock) {
    int16_t* body = nullptr;
    ASSERT_EQ(AllocateSoundBody(&body, 0), QC_OK);
    EXPECT_NE(body, nullptr);
    FreeSoundBody(body);
}

TEST(SoundBody, FreeAcceptsNullAndReportsNothing) {
    SoundHeader header{1, 8000, 10, 16};
    SoundSelection outside{2.0, 3.0};
    int16_t* body = nullptr;
    ASSERT_EQ(AllocateSoundBody(&body, 10), QC_OK);
    ASSERT_EQ(CropSound(&header, &body, &outside), QC_SELECTION_INVALID);
    FreeSoundBody(body);
    const std::string before = lastError();
    ASSERT_FALSE(before.empty());
    FreeSoundBody(nullptr);
    EXPECT_EQ(lastError(), before);
}

TEST(SoundBody, FailedAllocationStoresNullAndReturnsEight) {
    AllocationCeiling ceiling;
    int16_t* body = reinterpret_cast<int16_t*>(uintptr_t{0x1});
    EXPECT_EQ(AllocateSoundBody(&body, impossibleSampleCount), QC_OUT_OF_MEMORY);
    EXPECT_EQ(body, nullptr);
}

TEST(SoundBody, TwoFailedAllocationsAppendTheOutOfMemoryTextTwice) {
    SoundHeader header{};
    int16_t* body = nullptr;
    ASSERT_EQ(OpenSoundFile("memo", &header, &body), QC_OPEN_FAILED);
    const std::string earlier = lastError();
    ASSERT_EQ(earlier, "No plug-in handles this kind of file (\"memo\").");

    AllocationCeiling ceiling;
    EXPECT_EQ(AllocateSoundBody(&body, impossibleSampleCount), QC_OUT_OF_MEMORY);
    EXPECT_EQ(AllocateSoundBody(&body, impossibleSampleCount), QC_OUT_OF_MEMORY);
    EXPECT_EQ(lastError(), earlier + " Not enough memory. Not enough memory.");
}

TEST(SoundBody, FreesABodyThatAPluginAllocated) {
    TempFolder folder;
    PluginFolder plugins(PluginFolder::standIn("recorder"));
    SoundHeader header{};
    int16_t* body = nullptr;
    ASSERT_EQ(OpenSoundFileEx(folder.file("take.wav").c_str(), &header, &body, 0, 0), QC_OK);
    ASSERT_NE(body, nullptr);
    EXPECT_EQ(body[2], recorderOpenedSamples[2]);
    // The plug-in is unloaded by now; the sanitizer reports a mismatched or leaked block.
    FreeSoundBody(body);
}

} // namespace
