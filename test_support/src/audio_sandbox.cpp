#include "audio_test/audio_sandbox.h"

#include "platform_test/wait_for.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

AudioSandbox::AudioSandbox() {
    char pattern[] = "/tmp/quiesc-playback-XXXXXX";
    home_ = mkdtemp(pattern);
    output_ = home_ + "/out.raw";
    setenv("HOME", home_.c_str(), 1);
    writeTopLevelConfig();
    setenv("JACK_NO_START_SERVER", "1", 1);
}

AudioSandbox::~AudioSandbox() {
    stopReading_ = true;
    if (reader_.joinable()) {
        reader_.join();
    }
    std::error_code ignored;
    fs::remove_all(home_, ignored);
}

// Only the null device and ~/.asoundrc: the system's plug-in definitions (JACK, PulseAudio and
// the like) stay out, so nothing tries to reach a sound server.
void AudioSandbox::writeTopLevelConfig() {
    const std::string config = home_ + "/alsa.conf";
    std::ofstream(config) << "pcm.null { type null }\n"
                             "@hooks [ { func load files [ \"~/.asoundrc\" ] errors false } ]\n";
    setenv("ALSA_CONFIG_PATH", config.c_str(), 1);
}

void AudioSandbox::writeAsoundrc(const std::string& output) {
    std::ofstream(home_ + "/.asoundrc") << "pcm.!default { type file slave.pcm \"null\" file \""
                                        << output << "\" format \"raw\" }\n";
}

void AudioSandbox::routeToFile() {
    writeAsoundrc(output_);
}

void AudioSandbox::routeToPacedPipe(std::size_t bytesPerSecond) {
    mkfifo(output_.c_str(), 0600);
    writeAsoundrc(output_);
    reader_ = std::thread([this, bytesPerSecond] { readPipe(bytesPerSecond); });
}

void AudioSandbox::routeToNothing() {
    std::ofstream(home_ + "/.asoundrc") << "pcm.!default { type hw card 7 }\n";
}

// Reads small chunks with pauses between them; the writer blocks whenever the pipe is full.
void AudioSandbox::readPipe(std::size_t bytesPerSecond) {
    const int fd = ::open(output_.c_str(), O_RDONLY | O_NONBLOCK);
    if (fd < 0) {
        return;
    }
    pipeFd_ = fd;
    constexpr std::size_t chunk = 1024;
    const auto interval = std::chrono::microseconds(1000000 * chunk / bytesPerSecond);
    char buffer[chunk];
    // Once asked to stop, drains what the pipe still holds without pausing, then ends.
    while (true) {
        const ssize_t got = ::read(fd, buffer, chunk);
        if (got > 0) {
            pipeData_.insert(pipeData_.end(), buffer, buffer + got);
            bytesRead_ += static_cast<std::size_t>(got);
        } else if (stopReading_) {
            break;
        }
        if (!stopReading_) {
            std::this_thread::sleep_for(got > 0 ? interval : std::chrono::milliseconds(2));
        }
    }
    pipeFd_ = -1;
    ::close(fd);
}

bool AudioSandbox::waitUntilDrained(std::chrono::milliseconds deadline) const {
    return platform_test::waitFor(
        [this] {
            int unread = 0;
            const int fd = pipeFd_;
            return fd >= 0 && ::ioctl(fd, FIONREAD, &unread) == 0 && unread == 0;
        },
        deadline);
}

std::vector<int16_t> AudioSandbox::samplesWritten() {
    std::vector<char> bytes;
    if (reader_.joinable()) {
        stopReading_ = true;
        reader_.join();
        bytes = pipeData_;
    } else {
        std::ifstream in(output_, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    std::vector<int16_t> samples(bytes.size() / 2);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<int16_t>(static_cast<uint8_t>(bytes[2 * i]) |
                                          (static_cast<uint8_t>(bytes[2 * i + 1]) << 8));
    }
    return samples;
}

std::vector<int16_t> withoutZeros(const std::vector<int16_t>& samples) {
    std::vector<int16_t> kept;
    for (int16_t s : samples) {
        if (s != 0) {
            kept.push_back(s);
        }
    }
    return kept;
}
