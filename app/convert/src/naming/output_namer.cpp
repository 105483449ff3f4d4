#include "convert/output_namer.h"

#include "convert/job_header.h"
#include "convert/job_number_search.h"
#include "convert/text_cut.h"

#include "config/output_formats.h"
#include "platform/paths.h"

#include <algorithm>
#include <climits>

namespace convert {

namespace {

constexpr std::size_t kMaxExtensionLength = 5;
// The input name carries a header when it is longer than this (and has the header layout).
constexpr std::size_t kHeaderInputMinLength = 26;
// The source part is kept as the whole name when it is longer than this (and has the layout).
constexpr std::size_t kHeaderSourceMinLength = 23;

std::string TwoDigits(int value) {
    return ZeroPadded(value, 2);
}

std::string TrimmedWithoutExtension(std::string_view name) {
    return std::string(TrimBlanksAndControls(WithoutExtension(name)));
}

// A searched folder as the search finds it: the native folder, case folded.
std::string FolderKey(const std::string& stored) {
    std::string key = platform::resolvePath(stored);
    for (char& c : key)
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
    return key;
}

} // namespace

OutputNamer::OutputNamer(const Clock& clock)
    : clock_(clock) {}

void OutputNamer::UpdateJobDateKey() {
    const std::tm today = clock_.StandardTime();
    std::string key = TwoDigits(today.tm_mon + 1) + TwoDigits(today.tm_mday);
    if (key != jobDateKey_) {
        jobDateKey_ = std::move(key);
        jobSequence_ = 0;
        handedOut_.clear();
    }
}

void OutputNamer::FindLastJobNumber(std::string_view outputDir) {
    jobSequence_ = HighestJobNumberOfDay(outputDir, jobDateKey_);
    searchedOutputDir_ = outputDir;
    if (!countHandedOut_)
        return;
    for (const std::string& folder : JobNumberFolders(outputDir)) {
        if (const auto found = handedOut_.find(FolderKey(folder)); found != handedOut_.end())
            jobSequence_ = std::max(jobSequence_, found->second);
    }
}

std::string OutputNamer::NameNextJob(const shell::Settings& settings, std::string_view inputName,
                                     std::string_view outputDir, std::string_view userId,
                                     std::string_view location) {
    UpdateJobDateKey();
    FindLastJobNumber(outputDir);
    std::string name = BuildOutputName(settings, inputName, TrimBlanksAndControls(userId),
                                       TrimBlanksAndControls(location));
    if (countHandedOut_) {
        if (const auto number = JobNumberInEntryName(name, jobDateKey_)) {
            int& highest = handedOut_[FolderKey(searchedOutputDir_)];
            highest = std::max(highest, *number);
        }
    }
    return name;
}

std::string OutputNamer::BuildOutputName(const shell::Settings& settings,
                                         std::string_view inputName, std::string_view userId,
                                         std::string_view location) {
    // Saturates instead of overflowing; a number this large only comes from a foreign file.
    if (jobSequence_ < INT_MAX) {
        ++jobSequence_;
    }
    const char priority = PriorityLetter(settings.Priority);
    const std::string source = SourcePart(settings, inputName, priority);

    std::string name;
    if (HasHeaderLayout(source, kHeaderSourceMinLength)) {
        name = std::string(CutText(source, kKeptHeaderWidth)) + ' ';
    } else {
        JobHeaderFields fields;
        fields.priority = priority;
        fields.dateKey = jobDateKey_;
        fields.sequence = jobSequence_;
        fields.idField = IdField(TrimBlanksAndControls(userId), settings.DictatorID);
        fields.location = ReadNumberLikeAtol(TrimBlanksAndControls(location));
        fields.sourcePart = source;
        name = FormatJobHeader(fields);
    }
    if (settings.AppendDate) {
        name += DictationDate();
    }
    name += OutputExtension(settings.VoxFormat, inputName);
    return name;
}

std::string OutputNamer::SourcePart(const shell::Settings& settings, std::string_view inputName,
                                    char priority) const {
    if (HasHeaderLayout(inputName, kHeaderInputMinLength)) {
        std::string source = TrimmedWithoutExtension(inputName);
        // The whole first character gives way, so that a non-ASCII one leaves no stray bytes.
        source.replace(0, FirstCharacterLength(source), 1, priority);
        return source;
    }
    return settings.AppendSource ? TrimmedWithoutExtension(inputName) : std::string();
}

std::string OutputNamer::DictationDate() const {
    const std::tm now = clock_.LocalTime();
    std::string date = "@";
    date += TwoDigits(now.tm_mon + 1);
    date += TwoDigits(now.tm_mday);
    date += '-';
    date += TwoDigits(now.tm_hour);
    date += TwoDigits(now.tm_min);
    date += ' ';
    return date;
}

std::string OutputExtension(int voxFormatIndex, std::string_view inputName) {
    switch (shell::OutputFormatAt(voxFormatIndex).extension) {
    case shell::OutputExtensionRule::Vox:
        return ".vox";
    case shell::OutputExtensionRule::Wav:
        return ".wav";
    case shell::OutputExtensionRule::SourceExtension:
        break;
    }
    return std::string(CutText(ExtensionOf(inputName), kMaxExtensionLength));
}

} // namespace convert
