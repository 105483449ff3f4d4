// Memory that runs out at any allocation inside an export: the export fails with its own
// result code and the out-of-memory text, throws nothing, leaks nothing, and a save destroys
// nothing. Every allocation of the call is made to fail in turn.
#include "Quiesc.h"
#include "failing_allocator.h"
#include "test_support.h"
#include "wave_test/wave_fixture.h"

#include "platform_test/folder_listing.h"
#include "platform_test/test_folder.h"
#include "textpack/Textpack.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using toolkit_test::allocationFailed;
using toolkit_test::failAllocation;

constexpr long mostAllocationsOfOneCall = 1000;

bool endsWithOutOfMemoryText(const std::string& message) {
    char text[512];
    TextpackLoadString(115, text, sizeof text);
    const std::string appendix = text;
    return message.size() >= appendix.size() &&
           message.compare(message.size() - appendix.size(), appendix.size(), appendix) == 0;
}

// Runs `call` once for every allocation it makes, with that allocation failing; `prepare` runs
// before each call and `check` sees each result. Returns how many calls failed for want of memory.
int failEachAllocation(const std::function<void()>& prepare, const std::function<QcResult()>& call,
                       const std::function<void(QcResult)>& check) {
    int failures = 0;
    for (long index = 0; index < mostAllocationsOfOneCall; ++index) {
        prepare();
        failAllocation(index);
        const QcResult result = call();
        const bool ranOut = allocationFailed();
        failAllocation(-1);
        check(result);
        if (!ranOut) {
            EXPECT_EQ(result, QC_OK) << "with all the memory it asked for";
            return failures;
        }
        if (result != QC_OK) {
            ++failures;
            EXPECT_TRUE(endsWithOutOfMemoryText(toolkit_test::lastError()))
                << "allocation " << index << ": " << toolkit_test::lastError();
        }
    }
    ADD_FAILURE() << "the call never ran without a failing allocation";
    return failures;
}

class AllocationFailure : public testing::Test {
protected:
    platform_test::TestFolder dir;
    const std::string input = dir.file("in.wav");
    const std::vector<int16_t> samples = toolkit_test::testSamples();

    void SetUp() override {
        toolkit_test::writeFile(input, toolkit_test::pcm16Wave(samples, 8000));
    }
};

TEST_F(AllocationFailure, OpenFailsWithItsCodeWhereverMemoryRunsOut) {
    SoundHeader header{};
    int16_t* body = nullptr;
    const int failures =
        failEachAllocation([&] { body = nullptr; },
                           [&] { return OpenSoundFileEx(input.c_str(), &header, &body, 0, 0); },
                           [&](QcResult result) {
                               EXPECT_TRUE(result == QC_OK || result == QC_OPEN_FAILED) << result;
                               if (result == QC_OK) {
                                   FreeSoundBody(body);
                               }
                           });
    EXPECT_GT(failures, 0) << "no allocation of the open could fail";
}

TEST_F(AllocationFailure, SaveFailsWithItsCodeAndKeepsTheEarlierFile) {
    SoundHeader header{};
    int16_t* body = nullptr;
    ASSERT_EQ(OpenSoundFileEx(input.c_str(), &header, &body, 0, 0), QC_OK);
    const std::string target = dir.file("out.vox");
    const std::string earlier = "earlier";
    SoundHeader copy{};
    const int failures = failEachAllocation(
        [&] {
            toolkit_test::writeFile(target, earlier);
            copy = header;
        },
        [&] { return SaveSoundFileEx(target.c_str(), &copy, &body, 23); },
        [&](QcResult result) {
            EXPECT_TRUE(result == QC_OK || result == QC_SAVE_FAILED) << result;
            if (result != QC_OK) {
                EXPECT_TRUE(toolkit_test::readFile(target) == earlier)
                    << "the earlier file is kept";
            }
            EXPECT_EQ(platform_test::folderEntries(dir.path()),
                      (std::vector<std::string>{"in.wav", "out.vox"}));
        });
    FreeSoundBody(body);
    EXPECT_GT(failures, 0) << "no allocation of the save could fail";
}

} // namespace
