#include "convert/job_number_search.h"

#include "convert/text_cut.h"
#include "files/partial_file.h"
#include "platform/file_search.h"
#include "platform/paths.h"

#include <algorithm>
#include <map>

namespace convert {

namespace {

// Characters 3 to 6 (1-based) hold the day key, character 7 the "-" of a job header.
constexpr std::size_t kDateKeyAt = 2;
constexpr std::size_t kDateKeyLength = 4;
constexpr std::size_t kDashAt = 6;
constexpr std::size_t kNumberWithoutDashLength = 4;

// The digits of a number as atol reads it, after blanks and a sign.
std::size_t DigitCount(std::string_view text) {
    const std::size_t start = text.find_first_not_of(" \t\n\v\f\r");
    if (start == std::string_view::npos)
        return 0;
    text.remove_prefix(start);
    if (!text.empty() && (text.front() == '+' || text.front() == '-'))
        text.remove_prefix(1);
    const std::size_t end = text.find_first_not_of("0123456789");
    return end == std::string_view::npos ? text.size() : end;
}

// The native folders the search lists, each once: the output folder, then the siblings that
// exist, found by one listing of their parent instead of a case-blind lookup of each of them.
// A sibling's name is taken as the paths take it: the exact "TypeN" when it exists, else the
// smallest name equal to it ignoring case.
std::vector<std::string> SearchedFolders(std::string_view outputDir) {
    std::vector<std::string> folders;
    // An empty stored folder would list the working folder; it names no output folder.
    if (!outputDir.empty())
        folders.push_back(platform::resolvePath(outputDir));
    const std::string_view parent = JobNumberParent(outputDir);
    std::map<std::string, std::string> siblings; // by the name in lower case
    for (const platform::FoundEntry& entry : platform::findEntries(parent, "type*")) {
        if (!entry.isDirectory)
            continue;
        std::string lower = entry.name;
        for (char& c : lower)
            c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
        std::string& best = siblings[lower];
        const std::string exact = "Type" + lower.substr(4);
        if (best.empty() || entry.name == exact || (best != exact && entry.name < best))
            best = entry.name;
    }
    const std::string nativeParent = parent.empty() ? std::string() : platform::resolvePath(parent);
    for (int i = 1; i <= kSiblingTypeFolders; ++i) {
        const auto found = siblings.find("type" + std::to_string(i));
        if (found == siblings.end())
            continue;
        std::string folder = platform::joinPath(nativeParent, found->second);
        if (std::find(folders.begin(), folders.end(), folder) == folders.end())
            folders.push_back(std::move(folder));
    }
    return folders;
}

} // namespace

// A trailing separator (an output folder typed by hand into the configuration file) does not
// make the folder its own parent.
std::string_view JobNumberParent(std::string_view folder) {
    while (folder.size() > 1 && (folder.back() == '\\' || folder.back() == '/')) {
        folder.remove_suffix(1);
    }
    const std::size_t last = folder.find_last_of("\\/:");
    return last == std::string_view::npos ? std::string_view() : folder.substr(0, last + 1);
}

std::optional<int> JobNumberInEntryName(std::string_view name, std::string_view dateKey) {
    if (dateKey.size() != kDateKeyLength || name.size() < kDateKeyAt + kDateKeyLength ||
        name.substr(kDateKeyAt, kDateKeyLength) != dateKey) {
        return std::nullopt;
    }
    if (name.size() > kDashAt && name[kDashAt] == '-') {
        // The whole number is read, not only its first three digits: from the 1000th job of a
        // day on, three digits would find 100 and hand out job numbers twice.
        const std::string_view number = name.substr(kDashAt + 1);
        if (DigitCount(number) > kMaxJobNumberDigits)
            return std::nullopt;
        return ReadNumberLikeAtol(number);
    }
    return ReadNumberLikeAtol(name.substr(kDashAt, kNumberWithoutDashLength));
}

std::optional<int> JobNumberOfEntry(std::string_view entryName, std::string_view dateKey) {
    if (files::isPartialName(entryName))
        return JobNumberInEntryName(files::partialTarget(entryName), dateKey);
    return JobNumberInEntryName(entryName, dateKey);
}

std::vector<std::string> JobNumberFolders(std::string_view outputDir) {
    std::vector<std::string> folders;
    folders.reserve(1 + kSiblingTypeFolders);
    folders.emplace_back(outputDir);
    const std::string_view parent = JobNumberParent(outputDir);
    for (int i = 1; i <= kSiblingTypeFolders; ++i) {
        folders.push_back(std::string(parent) + "Type" + std::to_string(i));
    }
    return folders;
}

int HighestJobNumberOfDay(std::string_view outputDir, std::string_view dateKey) {
    int highest = 0;
    for (const std::string& folder : SearchedFolders(outputDir)) {
        for (const platform::FoundEntry& entry : platform::findEntries(folder, "*")) {
            if (const std::optional<int> number = JobNumberOfEntry(entry.name, dateKey)) {
                highest = std::max(highest, *number);
            }
        }
    }
    return highest;
}

} // namespace convert
