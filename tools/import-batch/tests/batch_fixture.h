// A workspace with one table row, C:\Dict\Type1 -> C:\Convert\TSP\type1 (user 1001, location
// 00), and the output names of the day.
#pragma once

#include "batch_program.h"

#include "platform_test/folder_listing.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace batch_test {

using Names = std::vector<std::string>;
inline const auto namesIn = platform_test::folderEntries;

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
