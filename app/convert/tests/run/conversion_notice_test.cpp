// A converted job with a notice of its conversion (its source was shorter than its header
// says): it counts as converted, keeps its output in the row, and the notice goes to the job's
// outcome, status panel 3 and, when on, the error log.
#include "run_fixture.h"

#include "convert/wave_conversion.h"

namespace convert_test {
namespace {

struct NoticeCase {
    const char* name;
    bool showErrors;
    bool voxFails;
};

// CTest lists each case under its name.
void PrintTo(const NoticeCase& c, std::ostream* os) {
    *os << c.name;
}

class ConversionNoticeTest : public RunFixture, public ::testing::WithParamInterface<NoticeCase> {};

TEST_P(ConversionNoticeTest, SaysItOfAConvertedJobOnly) {
    const NoticeCase& c = GetParam();
    settings.ShowErrors = c.showErrors;
    steps.failVox = c.voxFails;
    host.formatIndex = 1; // ADPCM VOX: through the wave conversion chain
    host.formatCode = 23;
    addJob("a short.wav", wave());
    addJob("b.wav", wave());
    steps.duringWave = [this] {
        steps.noticeOfWave = steps.waveSources.size() == 1 ? convert::kShortSourceNotice : "";
    };

    run.ConvertAll();

    ASSERT_EQ(host.outcomes.size(), 2u);
    const convert::JobOutcome& shortJob = host.outcomes[0];
    const std::string notice = "C:\\Dict\\Type1\\a short.wav is shorter than its header says";
    const std::string log = platform_test::readFileBytes(folder.path() / "errorlog.txt");
    if (c.voxFails) {
        EXPECT_FALSE(shortJob.converted);
        EXPECT_EQ(shortJob.notice, "");
        EXPECT_EQ(log.find("shorter than its header"), std::string::npos) << log;
    } else {
        EXPECT_TRUE(shortJob.converted);
        EXPECT_EQ(shortJob.error, "");
        EXPECT_EQ(shortJob.notice, notice);
        EXPECT_EQ(host.cell(0, shell::kColOutputFile), kFirstName + ".vox");
        EXPECT_EQ(log.find(": Error:  " + notice + "\r\n") != std::string::npos, c.showErrors)
            << log;
    }
    EXPECT_EQ(host.outcomes[1].notice, "") << "a notice belongs to its own job";
}

INSTANTIATE_TEST_SUITE_P(Jobs, ConversionNoticeTest,
                         ::testing::Values(NoticeCase{"LoggedWhenTheLogIsOn", true, false},
                                           NoticeCase{"NotLoggedWhenTheLogIsOff", false, false},
                                           NoticeCase{"DroppedWhenTheJobFails", true, true}));

} // namespace
} // namespace convert_test
