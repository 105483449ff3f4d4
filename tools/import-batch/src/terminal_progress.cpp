#include "terminal_progress.h"

#include <unistd.h>

#include <cstdio>

namespace batch {

TerminalProgress::TerminalProgress()
    : enabled_(::isatty(STDERR_FILENO) != 0) {}

void TerminalProgress::SetJob(const std::string& counter, const std::string& fileName) {
    counter_ = counter;
    fileName_ = fileName;
    percent_ = -1;
    Draw();
}

void TerminalProgress::SetPercent(int percent) {
    if (percent == percent_)
        return;
    percent_ = percent;
    Draw();
}

void TerminalProgress::Clear() {
    if (enabled_ && drawn_) {
        std::fputs("\r\033[K", stderr);
        std::fflush(stderr);
        drawn_ = false;
    }
}

void TerminalProgress::Draw() {
    if (!enabled_)
        return;
    std::string line = "\r\033[K[" + counter_ + "] " + fileName_;
    if (percent_ >= 0)
        line += "  " + std::to_string(percent_) + "%";
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
    drawn_ = true;
}

} // namespace batch
