#include "dictation_ledger.h"

#include "convert/job_record.h"
#include "dss_test/dss_writer.h"
#include "files/partial_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <set>

namespace batch_test {
namespace {

std::string dictation(int id, const std::string& extension) {
    if (extension != ".dss")
        return wave(id * 7 + 1, 2000);
    dss_test::DssShape shape;
    shape.frames = 20;
    shape.seed = static_cast<uint32_t>(id + 1);
    return dss_test::DssFile(shape);
}

} // namespace

DictationLedger::DictationLedger(const BatchWorkspace& workspace, std::string inputFolder,
                                 std::vector<std::string> outputFolders)
    : workspace_(workspace)
    , inputFolder_(std::move(inputFolder))
    , outputFolders_(std::move(outputFolders)) {
    fs::create_directories(workspace_.drive(inputFolder_));
    for (const std::string& output : outputFolders_)
        fs::create_directories(workspace_.drive(output));
}

void DictationLedger::add(int count, const std::string& extension) {
    for (int i = 0; i < count; ++i, ++next_) {
        const std::string content = dictation(next_, extension);
        idOfContent_[content] = next_;
        workspace_.addFile(inputFolder_ + "/d" + std::to_string(next_) + extension, content);
    }
}

int DictationLedger::idOf(const fs::path& file) const {
    const auto found = idOfContent_.find(platform_test::readFileBytes(file));
    return found == idOfContent_.end() ? -1 : found->second;
}

DictationLedger::Seen DictationLedger::look(const std::string& when, Count& count) const {
    Seen seen;
    const fs::path input = workspace_.drive(inputFolder_);
    for (const auto& entry : fs::directory_iterator(input)) {
        const std::string name = entry.path().filename().string();
        if (convert::IsJobRecordName(name)) {
            ++count.records;
            continue;
        }
        const int id = idOf(entry.path());
        EXPECT_GE(id, 0) << when << ": an input changed: " << name;
        (name.front() == '_' ? seen.marked : seen.waiting).insert(id);
        struct stat info {};
        if (::stat(entry.path().c_str(), &info) == 0 &&
            fs::exists(input / convert::JobRecordName(info.st_ino)))
            seen.recorded.insert(id);
    }
    for (const std::string& folder : outputFolders_) {
        for (const auto& entry : fs::directory_iterator(workspace_.drive(folder))) {
            const std::string name = entry.path().filename().string();
            if (files::isPartialName(name)) {
                ++count.partials;
                continue;
            }
            const int id = idOf(entry.path());
            EXPECT_GE(id, 0) << when << ": a half-written output: " << name;
            seen.outputs.insert(id);
        }
    }
    return seen;
}

DictationLedger::Count DictationLedger::check(const std::string& when) const {
    Count count;
    const Seen seen = look(when, count);
    for (int id = 0; id < next_; ++id) {
        if (retired_.count(id) != 0)
            continue;
        const std::size_t copies = seen.outputs.count(id);
        const bool isWaiting = seen.waiting.count(id) == 1 && seen.marked.count(id) == 0;
        const bool isMarked = seen.marked.count(id) == 1 && seen.waiting.count(id) == 0;
        EXPECT_LE(copies, 1u) << when << ": dictation " << id << " converted twice";
        EXPECT_TRUE(isWaiting || isMarked) << when << ": dictation " << id << " lost or doubled";
        EXPECT_TRUE(!isMarked || copies == 1) << when << ": " << id << " marked unconverted";
        EXPECT_TRUE(!isWaiting || copies == 0 || seen.recorded.count(id) == 1)
            << when << ": dictation " << id << " waits beside its output, and no record will "
            << "finish its job";
        count.duplicates += copies > 1 ? 1 : 0;
        if (!isWaiting && !isMarked)
            ++count.lost;
        else if (isMarked)
            ++(copies == 1 ? count.converted : count.lost);
        else
            ++(copies == 0 ? count.waiting : count.halfDone);
    }
    return count;
}

void DictationLedger::retireConverted() {
    std::set<int> marked;
    for (const auto& entry : fs::directory_iterator(workspace_.drive(inputFolder_))) {
        if (entry.path().filename().string().front() != '_')
            continue;
        marked.insert(idOf(entry.path()));
        fs::remove(entry.path());
    }
    for (const std::string& folder : outputFolders_) {
        for (const auto& entry : fs::directory_iterator(workspace_.drive(folder))) {
            if (marked.count(idOf(entry.path())) != 0)
                fs::remove(entry.path());
        }
    }
    retired_.insert(marked.begin(), marked.end());
}

} // namespace batch_test
