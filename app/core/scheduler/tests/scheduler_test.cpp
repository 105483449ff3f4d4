#include "scheduler/scheduler.h"

#include "jobs/job_scan.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

using shell::Settings;

class FakeTimer : public shell::MinuteTimer {
public:
    void SetEnabled(bool enabled) override { enabled_ = enabled; }
    bool IsEnabled() const override { return enabled_; }

private:
    bool enabled_ = false;
};

// Records what the window is asked to do: "<panel 1 number or text>", "refresh", "run". A run
// ends as the conversion run does: the countdown shows the full interval again.
class RecordingWindow : public shell::SchedulerWindow {
public:
    explicit RecordingWindow(const Settings& settings)
        : settings_(settings) {}

    void ShowCountdownText(const std::string& text) override {
        panel1 = text;
        const std::string prefix = "Next scheduled conversion in ";
        calls.push_back(text.starts_with(prefix) && text.ends_with(" min")
                            ? text.substr(prefix.size(), text.size() - prefix.size() - 4)
                            : "text:" + text);
    }
    void RefreshJobList() override { calls.push_back("refresh"); }
    void ConvertAll() override {
        calls.push_back("run");
        panel1 = shell::NextConversionText(settings_.ConvertInterval);
    }

    std::vector<std::string> calls;
    std::string panel1;

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

    // What each of `count` ticks showed, and the ticks (from 1) that started a run.
    std::pair<std::vector<std::string>, std::vector<int>> tick(int count) {
        std::pair<std::vector<std::string>, std::vector<int>> seen;
        for (int t = 1; t <= count; ++t) {
            window.calls.clear();
            scheduler.Tick();
            seen.first.push_back(window.calls.front());
            if (window.calls.back() == "run")
                seen.second.push_back(t);
        }
        return seen;
    }

    Settings settings;
    FakeTimer timer;
    RecordingWindow window{settings};
    shell::Scheduler scheduler{settings, timer, window};
};

std::vector<std::string> numbers(std::initializer_list<long long> values) {
    std::vector<std::string> texts;
    for (long long value : values)
        texts.push_back(std::to_string(value));
    return texts;
}

// Ticks 1 to 90 that are multiples of n.
std::vector<int> everyNth(int n) {
    std::vector<int> ticks;
    for (int t = n; t <= 90; t += n)
        ticks.push_back(t);
    return ticks;
}

struct CountdownCase {
    const char* name;
    int interval;
    std::vector<std::string> shownFirst; // what the first ticks show
    std::vector<int> runs;               // ticks that start a run within the first 90
};

// CTest lists each case under its name.
void PrintTo(const CountdownCase& c, std::ostream* os) {
    *os << c.name;
}

class Countdown : public SchedulerTest, public ::testing::WithParamInterface<CountdownCase> {};

TEST_P(Countdown, ShowsTheMinutesLeftAndRunsWhenTheCountReachesTheInterval) {
    enable(GetParam().interval);
    const auto [shown, runs] = tick(90);
    const std::vector<std::string> first(shown.begin(),
                                         shown.begin() + GetParam().shownFirst.size());
    EXPECT_EQ(first, GetParam().shownFirst);
    EXPECT_EQ(runs, GetParam().runs);
    EXPECT_TRUE(timer.IsEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Intervals, Countdown,
    ::testing::Values(CountdownCase{"Thirty", 30, numbers({29, 28, 27}), everyNth(30)},
                      CountdownCase{"One", 1, numbers({0, 0, 0}), everyNth(1)},
                      CountdownCase{"Zero", 0, numbers({-1, -1, -1}), {}},
                      CountdownCase{"MinusFive", -5, numbers({-6, -6}), {}},
                      CountdownCase{"Smallest", INT_MIN, numbers({INT_MAX, INT_MAX}), {}},
                      CountdownCase{
                          "Largest", INT_MAX, numbers({INT_MAX - 1LL, INT_MAX - 2LL}), {}}));

TEST_F(SchedulerTest, TheTickThatShowsZeroRefreshesAndConvertsAndTheNextShowsTheFullCount) {
    enable(30);
    const auto [shown, runs] = tick(31);
    EXPECT_EQ(shown[28], "1");
    EXPECT_EQ(shown[29], "0");
    EXPECT_EQ(shown[30], "29");
    window.calls.clear();
    tick(29);
    EXPECT_EQ(window.calls, (std::vector<std::string>{"0", "refresh", "run"}));
}

TEST_F(SchedulerTest, StartRunsTheTimerOnlyWhenTheSchedulerIsOn) {
    scheduler.Start();
    EXPECT_FALSE(timer.IsEnabled());
    enable(30);
    EXPECT_TRUE(timer.IsEnabled());
}

// Convert All chosen at minute 10 of 30: the panel shows 30 again, but the next scheduled run
// comes 20 ticks later, counted from the previous one.
TEST_F(SchedulerTest, AManualRunRestartsTheTextButNotTheCount) {
    enable(30);
    tick(10);
    window.ConvertAll();
    EXPECT_EQ(window.panel1, "Next scheduled conversion in 30 min");
    const auto [shown, runs] = tick(20);
    EXPECT_EQ(shown.front(), "19");
    EXPECT_EQ(runs, std::vector<int>{20});
}

TEST_F(SchedulerTest, ATickWithTheSchedulerOffEmptiesThePanelAndTheCount) {
    enable(30);
    tick(7);
    settings.EnableSched = false;
    EXPECT_EQ(tick(1).first, std::vector<std::string>{"text:"});
    EXPECT_EQ(scheduler.MinutesElapsed(), 0);
}

TEST_F(SchedulerTest, SettingsOkRestartsAFullIntervalOrStopsTheTimer) {
    enable(30);
    tick(25);
    settings.ConvertInterval = 10;
    scheduler.SettingsConfirmed();
    EXPECT_EQ(window.panel1, "Next scheduled conversion in 10 min");
    EXPECT_EQ(tick(10).second, std::vector<int>{10});

    tick(3);
    settings.EnableSched = false;
    scheduler.SettingsConfirmed();
    EXPECT_FALSE(timer.IsEnabled());
    EXPECT_EQ(window.panel1, "");
    EXPECT_EQ(scheduler.MinutesElapsed(), 0);
}

} // namespace
