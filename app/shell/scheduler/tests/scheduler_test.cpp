#include "scheduler/scheduler.h"

#include "jobs/job_scan.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

using shell::Scheduler;
using shell::Settings;

class FakeTimer : public shell::MinuteTimer {
public:
    void SetEnabled(bool enabled) override { enabled_ = enabled; }
    bool IsEnabled() const override { return enabled_; }

private:
    bool enabled_ = false;
};

// Records what the window was asked to do, one entry per call: "text:<panel 1>", "refresh",
// "run". A run does what the conversion run does at its end: the countdown with the full
// interval when the scheduler is on (the counter is not its business).
class RecordingWindow : public shell::SchedulerWindow {
public:
    explicit RecordingWindow(const Settings& settings)
        : settings_(settings) {}

    void ShowCountdownText(const std::string& text) override {
        panel1 = text;
        calls.push_back("text:" + text);
    }
    void RefreshJobList() override { calls.push_back("refresh"); }
    void ConvertAll() override {
        calls.push_back("run");
        ++runs;
        panel1 = settings_.EnableSched ? shell::NextConversionText(settings_.ConvertInterval) : "";
    }

    std::vector<std::string> calls;
    std::string panel1;
    int runs = 0;

private:
    const Settings& settings_;
};

class SchedulerTest : public ::testing::Test {
protected:
    void enable(int interval) {
        settings.EnableSched = true;
        settings.ConvertInterval = interval;
        scheduler.Start();
    }

    // The number shown in panel 1 after each of `ticks` ticks, and the ticks (1-based) at which
    // a run started.
    std::pair<std::vector<std::string>, std::vector<int>> tick(int ticks) {
        std::vector<std::string> shown;
        std::vector<int> runTicks;
        for (int t = 1; t <= ticks; ++t) {
            const int runsBefore = window.runs;
            window.calls.clear();
            scheduler.Tick();
            shown.push_back(countdownNumberOf(window.calls.front()));
            if (window.runs > runsBefore)
                runTicks.push_back(t);
        }
        return {shown, runTicks};
    }

    static std::string countdownNumberOf(const std::string& call) {
        const std::string prefix = "text:Next scheduled conversion in ";
        if (call.rfind(prefix, 0) != 0)
            return call;
        return call.substr(prefix.size(), call.size() - prefix.size() - std::string(" min").size());
    }

    Settings settings;
    FakeTimer timer;
    RecordingWindow window{settings};
    Scheduler scheduler{settings, timer, window};
};

TEST_F(SchedulerTest, StartUpRunsTheTimerOnlyWhenTheSchedulerIsOn) {
    scheduler.Start();
    EXPECT_FALSE(timer.IsEnabled());
    enable(30);
    EXPECT_TRUE(timer.IsEnabled());
    EXPECT_EQ(scheduler.MinutesElapsed(), 0);
}

TEST_F(SchedulerTest, ThirtyMinutesCountDownToZeroThenRefreshAndConvert) {
    enable(30);
    const auto [shown, runs] = tick(31);
    std::vector<std::string> expected;
    for (int n = 29; n >= 0; --n)
        expected.push_back(std::to_string(n));
    expected.push_back("29");
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(runs, std::vector<int>{30});
}

TEST_F(SchedulerTest, TheRunTickRefreshesTheListBeforeConverting) {
    enable(2);
    tick(1);
    window.calls.clear();
    scheduler.Tick();
    EXPECT_EQ(window.calls, (std::vector<std::string>{"text:Next scheduled conversion in 0 min",
                                                      "refresh", "run"}));
}

TEST_F(SchedulerTest, HundredsOfTicksRunEveryInterval) {
    enable(30);
    const auto [shown, runs] = tick(300);
    EXPECT_EQ(runs, (std::vector<int>{30, 60, 90, 120, 150, 180, 210, 240, 270, 300}));
    EXPECT_EQ(scheduler.MinutesElapsed(), 0);
}

TEST_F(SchedulerTest, IntervalOneRunsAtEveryTick) {
    enable(1);
    const auto [shown, runs] = tick(5);
    EXPECT_EQ(shown, std::vector<std::string>(5, "0"));
    EXPECT_EQ(runs, (std::vector<int>{1, 2, 3, 4, 5}));
}

struct NeverRunsCase {
    const char* name;
    int interval;
    const char* shown;
};

class NoRunInterval : public SchedulerTest, public ::testing::WithParamInterface<NeverRunsCase> {};

TEST_P(NoRunInterval, ShowsTheIntervalMinusOneAndNeverRuns) {
    enable(GetParam().interval);
    const auto [shown, runs] = tick(200);
    EXPECT_EQ(shown, std::vector<std::string>(200, GetParam().shown));
    EXPECT_TRUE(runs.empty());
    EXPECT_TRUE(timer.IsEnabled());
}

INSTANTIATE_TEST_SUITE_P(Intervals, NoRunInterval,
                         ::testing::Values(NeverRunsCase{"Zero", 0, "-1"},
                                           NeverRunsCase{"MinusFive", -5, "-6"},
                                           NeverRunsCase{"Smallest", INT_MIN, "2147483647"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SchedulerTest, TheLargestIntervalCountsDownWithoutRunning) {
    enable(INT_MAX);
    const auto [shown, runs] = tick(3);
    EXPECT_EQ(shown, (std::vector<std::string>{"2147483646", "2147483645", "2147483644"}));
    EXPECT_TRUE(runs.empty());
}

TEST_F(SchedulerTest, AManualRunRestartsTheTextButNotTheCount) {
    enable(30);
    tick(10);
    window.ConvertAll(); // Convert All chosen by the user at minute 10
    EXPECT_EQ(window.panel1, "Next scheduled conversion in 30 min");
    EXPECT_EQ(scheduler.MinutesElapsed(), 10);
    const auto [shown, runs] = tick(20);
    EXPECT_EQ(shown.front(), "19");
    EXPECT_EQ(runs, std::vector<int>{20});
}

TEST_F(SchedulerTest, ATickWithTheSchedulerOffEmptiesThePanelAndTheCount) {
    enable(30);
    tick(7);
    settings.EnableSched = false;
    window.calls.clear();
    scheduler.Tick();
    EXPECT_EQ(window.calls, std::vector<std::string>{"text:"});
    EXPECT_EQ(scheduler.MinutesElapsed(), 0);
    EXPECT_EQ(window.runs, 0);
}

TEST_F(SchedulerTest, SettingsOkRestartsAFullIntervalFromNow) {
    enable(30);
    tick(25);
    settings.ConvertInterval = 10;
    scheduler.SettingsConfirmed();
    EXPECT_EQ(window.panel1, "Next scheduled conversion in 10 min");
    EXPECT_EQ(scheduler.MinutesElapsed(), 0);
    EXPECT_TRUE(timer.IsEnabled());
    const auto [shown, runs] = tick(10);
    EXPECT_EQ(runs, std::vector<int>{10});
}

TEST_F(SchedulerTest, SettingsOkWithTheSchedulerOffStopsTheTimerAndEmptiesThePanel) {
    enable(30);
    tick(3);
    settings.EnableSched = false;
    scheduler.SettingsConfirmed();
    EXPECT_FALSE(timer.IsEnabled());
    EXPECT_EQ(window.panel1, "");
    EXPECT_EQ(scheduler.MinutesElapsed(), 0);
}

} // namespace
