#pragma once
// Names the output file of each job: the day key, the job number of the day and the name built
// from the job header. NameNextJob is the naming step of a job: UpdateJobDateKey,
// FindLastJobNumber and BuildOutputName, in this order.

#include "config/settings.h"
#include "convert/clock.h"

#include <cstddef>
#include <map>
#include <string>
#include <string_view>

namespace convert {

inline constexpr std::size_t kMaxOutputNameLength = 117;

class OutputNamer {
public:
    // The clock must outlive the namer.
    explicit OutputNamer(const Clock& clock);

    // Month and day of today at local standard time ("%.2i%.2i"); a new day resets the job
    // sequence to 0.
    void UpdateJobDateKey();

    // Sets the job sequence to the highest number of today found beside the output folder (0
    // when none, also for a folder that does not exist).
    void FindLastJobNumber(std::string_view outputDir);

    // Counts the next job and returns its output file name (no folder). The user ID and the
    // location are trimmed of blanks and control characters here as well. Reads Priority,
    // VoxFormat, DictatorID, AppendSource and AppendDate.
    std::string BuildOutputName(const shell::Settings& settings, std::string_view inputName,
                                std::string_view userId, std::string_view location);

    // The naming step of a job whose output goes to outputDir (as stored).
    std::string NameNextJob(const shell::Settings& settings, std::string_view inputName,
                            std::string_view outputDir, std::string_view userId,
                            std::string_view location);

    // A run that only lists the names it would give (the dry run) has no files to carry the
    // numbers it hands out: the namer then counts them itself, as if the files existed.
    void CountHandedOutNumbers() { countHandedOut_ = true; }

    const std::string& JobDateKey() const { return jobDateKey_; }
    int JobSequence() const { return jobSequence_; }

private:
    std::string SourcePart(const shell::Settings& settings, std::string_view inputName,
                           char priority) const;
    std::string DictationDate() const;

    const Clock& clock_;
    std::string jobDateKey_;
    int jobSequence_ = 0;
    bool countHandedOut_ = false;
    std::string searchedOutputDir_;
    // The highest number handed out per searched folder (native, case folded), for the day.
    std::map<std::string, int> handedOut_;
};

// The extension for an output format index: ".vox" for 0 and 1, ".wav" for 2, else the input
// name's own extension cut after 5 characters.
std::string OutputExtension(int voxFormatIndex, std::string_view inputName);

} // namespace convert
