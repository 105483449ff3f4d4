// Where the player's samples go: the default output device (PortAudioOutput), or a null output
// that a test drives. The output pulls 16-bit mono samples through a fill function on its own
// thread and keeps the stream's own clock of what has been heard.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace listenbox {

class AudioOutput {
public:
    // Runs on the output's thread: writes up to `frames` samples to `out` and returns how many
    // it wrote; fewer than asked ends the stream once they have been played.
    using Fill = std::function<std::size_t(int16_t* out, std::size_t frames)>;
    // Runs on the output's thread when a started stream has played out its last sample.
    using Finished = std::function<void()>;

    virtual ~AudioOutput() = default;

    // Prepares a stream of mono samples at `rate`. The rate the output will play at: `rate`
    // where it can, else the one it can (the caller resamples); 0 with the reason in `error`.
    virtual uint32_t Open(uint32_t rate, std::string& error) = 0;
    // Starts pulling; the clock starts at 0. False with the reason in `error`.
    virtual bool Start(Fill fill, Finished finished, std::string& error) = 0;
    // Stops at once; nothing is pulled afterwards.
    virtual void Stop() = 0;
    // Stops and releases the device.
    virtual void Close() = 0;
    // The samples heard since Start, by the stream's own clock (what was handed to the device
    // less what it has not played yet).
    virtual uint64_t FramesHeard() const = 0;
};

} // namespace listenbox
