#include "convert/speech_handoff.h"

#include "speech_folders.h"

#include "files/publish.h"
#include "platform/file_search.h"
#include "platform/paths.h"
#include "platform/safe_files.h"

#include <cerrno>
#include <cstdio>
#include <thread>

namespace convert {
namespace {

using namespace std::chrono_literals;

// The engine gets about 100 minutes to take its copy, checked once a second.
constexpr int kEngineChecks = 6000;
constexpr std::chrono::milliseconds kCheckPause = 1000ms;
// The engine may still be writing the texts it has just begun.
constexpr std::chrono::milliseconds kTextPause = 3000ms;
// How soon a stop ends a pause.
constexpr std::chrono::milliseconds kStopCheck = 20ms;

constexpr const char* kConversionFailed =
    "Error converting to PCM .wav format in Speech Rec folder";

// A move never replaces a text already at the destination; across file systems it copies.
// A text that cannot be moved stays for the next job's hand-off.
void moveText(const std::string& from, const std::string& to) {
    const std::string nativeFrom = platform::resolvePath(from);
    const std::string nativeTo = platform::resolvePath(to);
    if (files::moveWithoutReplacing(nativeFrom, nativeTo) || errno != EXDEV)
        return;
    if (platform::copyFileSafely(nativeFrom, nativeTo, false) == files::PublishResult::Published)
        std::remove(nativeFrom.c_str());
}

} // namespace

void RealSpeechPauses::Pause(std::chrono::milliseconds duration) {
    AwaitInBackground(loop_, [this, duration] {
        const auto end = std::chrono::steady_clock::now() + duration;
        for (auto now = std::chrono::steady_clock::now(); now < end && !(stop_ && stop_());
             now = std::chrono::steady_clock::now())
            std::this_thread::sleep_for(std::min<std::chrono::nanoseconds>(end - now, kStopCheck));
    });
}

SpeechHandOff::SpeechHandOff(const shell::Settings& settings, WaveConverter& converter,
                             const JobErrorReporter& errors, ProgressView& progress,
                             EventLoop& loop, SpeechPauses& pauses, WaitEnds ends)
    : settings_(settings)
    , converter_(converter)
    , errors_(errors)
    , progress_(progress)
    , loop_(loop)
    , pauses_(pauses)
    , ends_(std::move(ends)) {}

bool SpeechHandOff::Run(int rowIndex, const std::string& inputName, const std::string& tempWavePath,
                        const std::string& outputPath, const std::string& userId,
                        const std::string& outputDir) {
    const std::string inputFolder = steps::SpeechInputFolder(settings_.SpeechInput, userId);
    const std::string outputFolder = steps::WithTrailingSeparator(settings_.SpeechOutput);
    const std::string speechFile = steps::SpeechFilePath(inputFolder, outputPath);

    progress_.SetFileNameText("Speech Rec: " + inputName);
    loop_.ProcessEvents(false);

    if (!converter_.ConvertWaveFile(tempWavePath, speechFile,
                                    WaveFormat::pcm16Mono(kSpeechEngineRate))) {
        errors_.LogJobError(rowIndex, kConversionFailed);
        return false;
    }

    for (int check = 0; check < kEngineChecks && platform::pathExists(speechFile); ++check) {
        loop_.ProcessEvents(false);
        if (ends_.waitEnded())
            return true;
        pauses_.Pause(kCheckPause);
    }

    std::vector<platform::FoundEntry> texts = platform::findEntries(outputFolder, "*.txt");
    std::erase_if(texts, [](const platform::FoundEntry& entry) { return entry.isDirectory; });
    if (texts.empty() || ends_.stopRequested())
        return true;
    pauses_.Pause(kTextPause);
    if (ends_.stopRequested())
        return true;
    const std::string destination = steps::TextDestination(outputDir, settings_.MoveOutputText);
    for (const auto& text : texts)
        moveText(outputFolder + text.name, destination + text.name);
    return true;
}

} // namespace convert
