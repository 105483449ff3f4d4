#pragma once
// Runs a test in an empty working folder, where ".\import.ini" lies.

#include "config/config_store.h"
#include "platform_test/test_folder.h"

#include <gtest/gtest.h>

namespace config_test {

class WorkingFolderTest : public ::testing::Test {
protected:
    void writeIni(const std::string& content) const { folder_.writeFile("import.ini", content); }
    std::string iniBytes() const {
        return platform_test::readFileBytes(folder_.path() / "import.ini");
    }
    bool iniExists() const { return std::filesystem::exists(folder_.path() / "import.ini"); }

    platform_test::TestFolder folder_;
    platform_test::ScopedWorkingFolder cwd_{folder_.path()};
    shell::ConfigStore store_;
};

} // namespace config_test
