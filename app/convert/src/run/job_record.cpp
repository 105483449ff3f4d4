#include "convert/job_record.h"

#include <charconv>
#include <cstdint>

namespace convert {
namespace {

constexpr std::string_view kRecordPrefix = ".import-";
constexpr std::string_view kRecordEnding = ".job";
constexpr std::string_view kFormatLine = "quorvel-import job record 1\n";

template <class Integer>
void AppendNumber(std::string& text, Integer value, char after) {
    text += std::to_string(value);
    text += after;
}

void AppendName(std::string& text, std::string_view name) {
    AppendNumber(text, name.size(), ':');
    text += name;
    text += '\n';
}

// Reads the record front to back; any deviation fails it for good.
class RecordReader {
public:
    explicit RecordReader(std::string_view text)
        : rest_(text) {}

    bool Literal(std::string_view expected) {
        if (!ok_ || !rest_.starts_with(expected))
            return ok_ = false;
        rest_.remove_prefix(expected.size());
        return true;
    }
    template <class Integer>
    Integer Number(char after) {
        Integer value{};
        const auto [end, error] = std::from_chars(rest_.data(), rest_.data() + rest_.size(), value);
        if (!ok_ || error != std::errc()) {
            ok_ = false;
            return Integer{};
        }
        rest_.remove_prefix(static_cast<std::size_t>(end - rest_.data()));
        Literal(std::string_view(&after, 1));
        return value;
    }
    std::string Name() {
        const auto size = Number<std::size_t>(':');
        if (!ok_ || rest_.size() < size + 1 || rest_[size] != '\n') {
            ok_ = false;
            return {};
        }
        std::string name(rest_.substr(0, size));
        rest_.remove_prefix(size + 1);
        return name;
    }
    struct timespec Time(char after) {
        struct timespec time {};
        time.tv_sec = Number<time_t>(' ');
        time.tv_nsec = Number<long>(after);
        return time;
    }
    bool AtEnd() const { return ok_ && rest_.empty(); }

private:
    std::string_view rest_;
    bool ok_ = true;
};

} // namespace

std::string JobRecordName(ino_t inputInode) {
    return std::string(kRecordPrefix) + std::to_string(inputInode) + std::string(kRecordEnding);
}

bool IsJobRecordName(std::string_view name) {
    if (!name.starts_with(kRecordPrefix) || !name.ends_with(kRecordEnding))
        return false;
    name.remove_prefix(kRecordPrefix.size());
    name.remove_suffix(kRecordEnding.size());
    return !name.empty() && name.find_first_not_of("0123456789") == std::string_view::npos;
}

std::string JobRecordText(const JobIntent& intent) {
    std::string text(kFormatLine);
    AppendNumber(text, intent.input.inode, ' ');
    AppendNumber(text, intent.input.size, ' ');
    AppendNumber(text, intent.input.modified.tv_sec, ' ');
    AppendNumber(text, intent.input.modified.tv_nsec, ' ');
    AppendNumber(text, intent.input.changed.tv_sec, ' ');
    AppendNumber(text, intent.input.changed.tv_nsec, '\n');
    AppendNumber(text, intent.outputInode, ' ');
    AppendNumber(text, intent.outputSize, '\n');
    for (const std::string* name : {&intent.inputName, &intent.doneName, &intent.outputPath,
                                    &intent.nativeOutput, &intent.nativePartial})
        AppendName(text, *name);
    return text;
}

std::optional<JobIntent> ParseJobRecord(std::string_view text) {
    RecordReader reader(text);
    JobIntent intent;
    reader.Literal(kFormatLine);
    intent.input.inode = reader.Number<ino_t>(' ');
    intent.input.size = reader.Number<off_t>(' ');
    intent.input.modified = reader.Time(' ');
    intent.input.changed = reader.Time('\n');
    intent.outputInode = reader.Number<ino_t>(' ');
    intent.outputSize = reader.Number<off_t>('\n');
    for (std::string* name : {&intent.inputName, &intent.doneName, &intent.outputPath,
                              &intent.nativeOutput, &intent.nativePartial})
        *name = reader.Name();
    if (!reader.AtEnd() || intent.inputName.empty() || intent.doneName.empty() ||
        intent.nativeOutput.empty())
        return std::nullopt;
    return intent;
}

} // namespace convert
