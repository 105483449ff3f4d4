// Without a Qt application object Textpack shows nothing: dialogs cannot be shown and error
// messages go to standard error.
#include "textpack/Textpack.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <string>

extern "C" int textpackHeaderCompilesAsC(void);

namespace {

struct ProcRecord {
    int calls = 0;
};

void countingProc(TextpackDialog*, TextpackDialogEvent, int, void* context) {
    static_cast<ProcRecord*>(context)->calls++;
}

TEST(NoGui, HeaderCompilesAsC) {
    EXPECT_EQ(textpackHeaderCompilesAsC(), 1);
}

TEST(NoGui, EveryTemplateCannotBeShown) {
    for (const char* name : {"VOXOPTIONS", "VOXABOUT", "WAVOPTIONS", "WAVABOUT"}) {
        ProcRecord record;
        EXPECT_EQ(TextpackRunDialog(name, nullptr, countingProc, &record), 0) << name;
        EXPECT_EQ(record.calls, 0) << name << ": the procedure is never called";
    }
}

TEST(NoGui, ControlCallsOnANullDialogDoNothing) {
    EXPECT_EQ(TextpackComboAdd(nullptr, 100, "x"), -1);
    EXPECT_EQ(TextpackComboSelect(nullptr, 100, 0), 0);
    EXPECT_EQ(TextpackComboSelection(nullptr, 100), -1);
    EXPECT_EQ(TextpackEnableControl(nullptr, 100, 0), 0);
    TextpackEndDialog(nullptr, 1);
}

TEST(NoGui, ErrorGoesToStandardError) {
    testing::internal::CaptureStderr();
    TextpackShowError("Unexpected end of file (\"a.wav\").", "Sound File");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Sound File: Unexpected end of file (\"a.wav\").\n");
}

TEST(NoGui, NullTextsCountAsEmpty) {
    testing::internal::CaptureStderr();
    TextpackShowError(nullptr, nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), ": \n");
}

TEST(NoGui, NoActiveWindowAndNothingToCentre) {
    EXPECT_EQ(TextpackActiveWindow(), nullptr);
    int notAWindow = 0;
    EXPECT_EQ(TextpackCentreWindow(&notAWindow), 0);
}

} // namespace

// Command-line users of the libraries must never pay for Qt: without a Qt application object
// the Qt half of Textpack stays unloaded.
TEST(NoGui, TheQtHalfIsNotLoaded) {
    TextpackShowError("probe", "caption");
    EXPECT_EQ(dlopen("TextpackGui.so", RTLD_NOW | RTLD_NOLOAD), nullptr);
}
