// A workspace with one table row, C:\Dict\Type1 -> C:\Convert\TSP\type1 (user 1001, location
// 00), and what the tests of a run need around it: the output names of the day, the lines of an
// output, small dictations.
#pragma once

#include "batch_program.h"

#include "convert/clock.h"
#include "convert/output_namer.h"
#include "platform_test/folder_listing.h"
#include "wave_test/wave_fixture.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace batch_test {

using Names = std::vector<std::string>;
inline const auto namesIn = platform_test::folderEntries;

inline std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        start = end == std::string::npos ? text.size() : end + 1;
    }
    return lines;
}

// Today's key as the program computes it.
inline std::string todayKey() {
    const convert::SystemClock clock;
    convert::OutputNamer namer(clock);
    namer.UpdateJobDateKey();
    return namer.JobDateKey();
}

inline std::string wave(int seed, std::size_t samples = 4000) {
    std::vector<int16_t> values(samples);
    for (std::size_t i = 0; i < samples; ++i)
        values[i] = static_cast<int16_t>((static_cast<int>(i) * 31 + seed * 977) % 20000 - 10000);
    return toolkit_test::pcm16Wave(values, 8000);
}

// Public, so that the set-up functions of a table can reach it.
class OneRowTest {
public:
    explicit OneRowTest(bool inMemory = false)
        : workspace(inMemory) {}

    BatchWorkspace workspace;
    std::string key = todayKey();
    fs::path in1 = workspace.drive("c/Dict/Type1");
    fs::path out1 = workspace.drive("c/Convert/TSP/type1");

    void configure(const std::vector<std::string>& extra = {}) {
        std::vector<std::string> lines = {"InputDir1=C:\\Dict\\Type1",
                                          "OutputDir1=C:\\Convert\\TSP\\type1", "UserID1=1001",
                                          "Loc1=00"};
        lines.insert(lines.end(), extra.begin(), extra.end());
        workspace.writeConfig(lines);
        fs::create_directories(in1);
        fs::create_directories(out1);
    }
    std::string name(int number, const char* extension = ".wav") const {
        char digits[8];
        std::snprintf(digits, sizeof digits, "%.3d", number);
        return "N " + key + "-" + digits + " 1001 0000 00  " + extension;
    }
    std::string outputPath(int number, const char* extension = ".wav") const {
        return "C:\\Convert\\TSP\\type1\\" + name(number, extension);
    }
};

} // namespace batch_test
