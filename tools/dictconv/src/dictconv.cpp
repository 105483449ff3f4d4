#include "dictconv/dictconv.h"

#include "dictconv/dss_decoder.h"
#include "dictconv/dss_layout.h"

#include "files/unique_fd.h"
#include "platform/paths.h"
#include "wavefile/pcm16_wave_writer.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace dictconv {
namespace {

constexpr const char* kVersion = "1.0";

// The decoded samples go to the result's partial file; the writer removes it unless committed.
class ResultSink final : public PcmSink {
public:
    explicit ResultSink(std::string nativeResult)
        : result_(std::move(nativeResult)) {}

    bool Begin(uint32_t sampleRate) override {
        writer_ = std::make_unique<wavefile::Pcm16WaveWriter>(result_, sampleRate);
        block_.reserve(kBlockSamples);
        return writer_->Open();
    }
    // The decoders give a few hundred samples at a time; the writer gets blocks of about 4 KB,
    // so that its disk-room check runs per block rather than per frame.
    bool Write(const int16_t* samples, std::size_t count) override {
        block_.insert(block_.end(), samples, samples + count);
        return block_.size() < kBlockSamples || flushBlock();
    }
    bool Commit() { return writer_ && flushBlock() && writer_->Commit(); }
    std::string Error() const { return writer_ ? writer_->Error() : "nothing was decoded"; }

private:
    static constexpr std::size_t kBlockSamples = 2048;

    bool flushBlock() {
        const bool written = block_.empty() || writer_->Append(block_.data(), block_.size());
        block_.clear();
        return written;
    }

    std::string result_;
    std::unique_ptr<wavefile::Pcm16WaveWriter> writer_;
    std::vector<int16_t> block_;
};

Conversion failure(const std::string& nativeInput, const std::string& why) {
    return {false, nativeInput + ": " + why};
}

std::vector<unsigned char> readStart(int fd, uint64_t fileSize) {
    const uint64_t wanted = std::min<uint64_t>(fileSize, kDssBlockBytes * 3);
    std::vector<unsigned char> start(static_cast<std::size_t>(wanted));
    std::size_t done = 0;
    while (done < start.size()) {
        const ssize_t got =
            ::pread(fd, start.data() + done, start.size() - done, static_cast<off_t>(done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    start.resize(done);
    return start;
}

const char* usageText() {
    return "Usage: Dictconv FILE.dss\n"
           "Decodes a DSS dictation (DSS SP or DSS LP) and writes its audio as a 16-bit mono PCM\n"
           "wave file at the recording's own rate to c:\\tmp.wav (below the drive root,\n"
           "IMPORT_DRIVE_ROOT). Exits with 0 when done, 1 when the file cannot be converted.\n";
}

} // namespace

Conversion DecodeDssFile(const std::string& nativeInput, PcmSink& sink) {
    const files::UniqueFd input(::open(nativeInput.c_str(), O_RDONLY | O_CLOEXEC));
    if (!input)
        return failure(nativeInput, std::strerror(errno));
    struct stat status {};
    if (::fstat(input.get(), &status) != 0)
        return failure(nativeInput, std::strerror(errno));
    if (S_ISDIR(status.st_mode))
        return failure(nativeInput, std::strerror(EISDIR));
    if (!S_ISREG(status.st_mode))
        return failure(nativeInput, "not a regular file");

    const auto fileSize = static_cast<uint64_t>(status.st_size);
    const std::vector<unsigned char> start = readStart(input.get(), fileSize);
    const LayoutCheck check = CheckDssLayout(start.data(), start.size(), fileSize);
    switch (check.verdict) {
    case LayoutVerdict::Valid:
        break;
    case LayoutVerdict::NotDss:
        return failure(nativeInput, "not a DSS file (" + check.reason + ")");
    case LayoutVerdict::Truncated:
        return failure(nativeInput, "the file is truncated (" + check.reason + ")");
    case LayoutVerdict::NoAudio:
        return failure(nativeInput, "the file holds no audio (" + check.reason + ")");
    }

    const DecodeResult decoded = DecodeDss(input.get(), sink);
    switch (decoded.outcome) {
    case DecodeOutcome::Decoded:
        return {true, ""};
    case DecodeOutcome::SinkFailed:
        return {false, "cannot write the result"};
    case DecodeOutcome::NoAudio:
        return failure(nativeInput, "the file holds no audio (" + decoded.reason + ")");
    case DecodeOutcome::Damaged:
        break;
    }
    return failure(nativeInput, decoded.reason);
}

Conversion ConvertDssFile(const std::string& nativeInput, const std::string& nativeResult) {
    ResultSink sink(nativeResult);
    Conversion conversion = DecodeDssFile(nativeInput, sink);
    if (!conversion.converted) {
        if (conversion.message == "cannot write the result")
            conversion.message += ": " + sink.Error();
        return conversion;
    }
    if (!sink.Commit())
        return {false, "cannot write the result: " + sink.Error()};
    return conversion;
}

int RunDictconv(int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(usageText(), out);
        return static_cast<int>(ExitCode::Converted);
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::fprintf(out, "Dictconv %s\n", kVersion);
        return static_cast<int>(ExitCode::Converted);
    }
    if (argc != 2) {
        std::fputs(usageText(), err);
        return static_cast<int>(ExitCode::Usage);
    }
    const Conversion conversion = ConvertDssFile(argv[1], platform::resolvePath(kResultPath));
    if (!conversion.converted) {
        std::fprintf(err, "Dictconv: %s\n", conversion.message.c_str());
        return static_cast<int>(ExitCode::Failed);
    }
    return static_cast<int>(ExitCode::Converted);
}

} // namespace dictconv
