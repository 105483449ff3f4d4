// Dictations still arriving, through the real import-batch with real writers: a recorder that
// streams a wave with its sizes left open while it holds the file, a slow plain copy, and a
// writer that appends in bursts and closes the file between them. While one writes, no output
// appears, the input keeps its name and nothing is an error; once it has ended and settled, one
// run converts the whole dictation.
#include "batch_program.h"

#include "platform_test/folder_listing.h"
#include "platform_test/wait_for.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace batch_test {
namespace {

// A writer in a process of its own that writes the parts in turn and waits for the test's word
// before each part after the first. Where it holds the file open, it does so from the first
// part to its end.
class Writer {
public:
    Writer(fs::path file, std::vector<std::string> parts, bool closesBetweenParts)
        : file_(std::move(file)) {
        if (::pipe(toWriter_) != 0 || ::pipe(fromWriter_) != 0)
            return;
        pid_ = ::fork();
        if (pid_ == 0)
            ::_exit(write(parts, closesBetweenParts) ? 0 : 1);
        ::close(toWriter_[0]);
        ::close(fromWriter_[1]);
    }
    ~Writer() {
        ::close(toWriter_[1]);
        ::close(fromWriter_[0]);
        if (pid_ > 0)
            ::waitpid(pid_, nullptr, 0);
    }

    // Waits until the writer has written its next part.
    bool partWritten() {
        char done = 0;
        return ::read(fromWriter_[0], &done, 1) == 1;
    }
    void writeNextPart() { ::write(toWriter_[1], "n", 1); }
    bool ended() {
        int status = 0;
        const bool ok =
            ::waitpid(pid_, &status, 0) == pid_ && WIFEXITED(status) && WEXITSTATUS(status) == 0;
        pid_ = -1;
        return ok;
    }

private:
    bool write(const std::vector<std::string>& parts, bool closesBetweenParts) {
        const int appendFlags = O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC;
        int fd = -1;
        for (std::size_t i = 0; i < parts.size(); ++i) {
            char go = 0;
            if (i > 0 && ::read(toWriter_[0], &go, 1) != 1)
                return false;
            if (fd < 0)
                fd = ::open(file_.c_str(), appendFlags, 0644);
            if (fd < 0 || ::write(fd, parts[i].data(), parts[i].size()) !=
                              static_cast<ssize_t>(parts[i].size()))
                return false;
            if (closesBetweenParts || i + 1 == parts.size()) {
                ::close(fd);
                fd = -1;
            }
            if (::write(fromWriter_[1], "w", 1) != 1)
                return false;
        }
        return true;
    }

    fs::path file_;
    int toWriter_[2] = {-1, -1};
    int fromWriter_[2] = {-1, -1};
    pid_t pid_ = -1;
};

// The wave a recorder streams: RIFF and data sizes left at 0xFFFFFFFF until it ends, which
// means "up to the end of the file".
std::string streamedWave(const std::string& whole) {
    std::string streamed = whole;
    for (const std::size_t at : {4u, 40u})
        streamed.replace(at, 4, "\xFF\xFF\xFF\xFF");
    return streamed;
}

std::vector<std::string> partsOf(const std::string& content, std::size_t count) {
    std::vector<std::string> parts;
    const std::size_t size = content.size() / count;
    for (std::size_t i = 0; i < count; ++i)
        parts.push_back(content.substr(i * size, i + 1 == count ? std::string::npos : size));
    return parts;
}

struct ArrivalCase {
    const char* label;
    int voxFormat;
    std::string settleSeconds;
    bool closesBetweenParts;
    std::function<std::string(const std::string&)> content; // of the whole wave
    std::size_t parts;
    // The whole output the finished dictation gives.
    std::function<std::size_t(const std::string& content)> outputSize;
};

void PrintTo(const ArrivalCase& c, std::ostream* os) {
    *os << c.label;
}

constexpr std::size_t kSamples = 16000;

// A writer that holds the file open is seen by that alone (no settle time).
const ArrivalCase kArrivals[] = {
    {"streamedHeaderHeldOpen", 1, "0", false, streamedWave, 4,
     // Dialogic ADPCM: four bits a sample.
     [](const std::string&) { return kSamples / 2; }},
    {"slowPlainCopy", 3, "0", false, [](const std::string& w) { return w; }, 5,
     [](const std::string& content) { return content.size(); }},
    // The file is closed between the bursts: only the settle time (the default) tells.
    {"burstsClosedBetween", 3, "3", true, [](const std::string& w) { return w; }, 3,
     [](const std::string& content) { return content.size(); }},
};

class ArrivalTest : public ::testing::TestWithParam<ArrivalCase> {
protected:
    BatchWorkspace workspace;
    fs::path input = workspace.drive("c/Dict/Type1");
    fs::path output = workspace.drive("c/Convert/TSP/type1");
};

TEST_P(ArrivalTest, NothingIsConvertedWhileItArrivesAndTheWholeDictationAfterwards) {
    const ArrivalCase& c = GetParam();
    workspace.writeConfig({"VoxFormat=" + std::to_string(c.voxFormat), "ShowErrors=1",
                           "SettleSeconds=" + c.settleSeconds, "InputDir1=C:\\Dict\\Type1",
                           "OutputDir1=C:\\Convert\\TSP\\type1", "UserID1=1001", "Loc1=00"});
    fs::create_directories(input);
    fs::create_directories(output);
    const std::string content = c.content(wave(3, kSamples));
    Writer writer(input / "dict.wav", partsOf(content, c.parts), c.closesBetweenParts);

    for (std::size_t part = 0; part + 1 < c.parts; ++part) {
        ASSERT_TRUE(writer.partWritten()) << c.label << ": part " << part;
        const BatchResult during = runBatch(workspace, {});
        EXPECT_EQ(during.exitCode, 0) << during.err;
        EXPECT_EQ(during.out,
                  "C:\\Dict\\Type1\\dict.wav: Still arriving - converted when complete\n");
        EXPECT_NE(during.err.find("0 converted, 0 with errors, 1 left for a later run"),
                  std::string::npos)
            << during.err;
        EXPECT_EQ(platform_test::folderEntries(input), std::vector<std::string>{"dict.wav"});
        EXPECT_TRUE(platform_test::folderEntries(output).empty());
        writer.writeNextPart();
    }
    ASSERT_TRUE(writer.partWritten());
    ASSERT_TRUE(writer.ended());

    // Once it has settled, one run converts it whole.
    BatchResult converted;
    EXPECT_TRUE(platform_test::waitFor([&] {
        converted = runBatch(workspace, {});
        return converted.err.find("1 converted") != std::string::npos;
    })) << converted.out
        << converted.err;
    const std::vector<std::string> outputs = platform_test::folderEntries(output);
    ASSERT_EQ(outputs.size(), 1u);
    EXPECT_EQ(fs::file_size(output / outputs[0]), c.outputSize(content));
    if (c.voxFormat == 3) {
        EXPECT_EQ(platform_test::readFileBytes(output / outputs[0]), content);
    }
    EXPECT_EQ(platform_test::folderEntries(input), std::vector<std::string>{"_dict.wav"});
    EXPECT_FALSE(fs::exists(workspace.work() / "errorlog.txt")) << "arriving is no error";
}

INSTANTIATE_TEST_SUITE_P(Writers, ArrivalTest, ::testing::ValuesIn(kArrivals),
                         [](const ::testing::TestParamInfo<ArrivalCase>& info) {
                             return std::string(info.param.label);
                         });

} // namespace
} // namespace batch_test
