// A private audio configuration for one test process: HOME points to a temporary folder whose
// .asoundrc routes the default device to ALSA's file plugin, so that the bytes that reach the
// device land in a file (or a pipe) the test reads. ALSA_CONFIG_PATH names a top-level
// configuration that loads only that file. Must be set up before the first playback.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

class AudioSandbox {
public:
    AudioSandbox();
    ~AudioSandbox();

    // The default device writes raw samples into a plain file.
    void routeToFile();
    // The default device writes into a pipe that a reader thread drains at bytesPerSecond, so
    // that playback takes a while.
    void routeToPacedPipe(std::size_t bytesPerSecond);
    // The default device is a card that does not exist, and there is no other device.
    void routeToNothing();

    // The samples written so far (for the pipe: read so far).
    std::vector<int16_t> samplesWritten();
    std::size_t bytesRead() const { return bytesRead_; }
    // Waits until the reader has taken every byte the device put into the pipe so far; false
    // when that has not happened by the deadline.
    bool waitUntilDrained(std::chrono::milliseconds deadline) const;

private:
    void writeTopLevelConfig();
    void writeAsoundrc(const std::string& output);
    void readPipe(std::size_t bytesPerSecond);

    std::string home_;
    std::string output_;
    std::thread reader_;
    std::atomic<bool> stopReading_{false};
    std::atomic<std::size_t> bytesRead_{0};
    std::atomic<int> pipeFd_{-1};
    std::vector<char> pipeData_;
};

// Removes the zero samples the device adds around and between buffers (the test sounds hold
// none of their own).
std::vector<int16_t> withoutZeros(const std::vector<int16_t>& samples);
