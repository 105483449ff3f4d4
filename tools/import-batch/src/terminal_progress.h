// The progress line of import-batch on a terminal: "[n/total] name  42%", redrawn in place on
// standard error and wiped before a job's result line is printed. Nothing is drawn when
// standard error is not a terminal.
#pragma once

#include <string>

namespace batch {

class TerminalProgress {
public:
    TerminalProgress();
    void SetJob(const std::string& counter, const std::string& fileName);
    void SetPercent(int percent);
    // Removes the line so that other output starts on a clean line.
    void Clear();

private:
    void Draw();
    bool enabled_;
    bool drawn_ = false;
    std::string counter_;
    std::string fileName_;
    int percent_ = -1;
};

} // namespace batch
