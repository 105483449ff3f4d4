#pragma once
// The claim of one dictation by one job: its record (job_record.h) in the input folder,
// created exclusively and locked by the job for as long as the job lives. Two runs that share
// an input folder (other working folders, other machines) never both claim one dictation. A
// record that no live job holds was left by a run that ended in the middle of a job (a kill, a
// crash): the next run that meets it finishes that job when its output was published (the
// input is marked done, or the output withdrawn when the input has changed since or cannot be
// marked) and otherwise takes back what it had begun, so that every dictation ends up
// converted exactly once.

#include "convert/job_record.h"
#include "files/unique_fd.h"

#include <string>
#include <vector>

namespace convert {

// What became of a job whose record an ended run left.
enum class Recovery {
    Undone,    // nothing was published: the dictation waits (its partial output is removed)
    Finished,  // the output was published: it stays, and the input is marked done
    Withdrawn, // published, but the input changed since or cannot be marked: the output goes
};

class JobClaim {
public:
    enum class Result { Claimed, ClaimedElsewhere, Failed };

    // Claims the input of that inode in the open folder; a record an ended run left for it is
    // first finished or undone.
    static JobClaim Take(int folder, ino_t inputInode);
    ~JobClaim() { Release(); }
    JobClaim(JobClaim&&) noexcept = default;
    JobClaim& operator=(JobClaim&& other) noexcept;

    Result result() const { return result_; }
    // Why the claim failed (a system error's text, or a record that is not ours).
    const std::string& failure() const { return failure_; }

    // Writes the intent and flushes it and the folder: only then may the output be published.
    // False with errno set.
    bool RecordIntent(const JobIntent& intent);

    // The job has ended, done or undone: its record goes.
    void Release();

private:
    JobClaim() = default;
    files::UniqueFd folder_;
    files::UniqueFd record_;
    std::string recordName_;
    Result result_ = Result::Failed;
    std::string failure_;
};

// Finishes or undoes the job of a record an ended run left in the open folder, with the lock of
// the open record held.
Recovery RecoverJob(int folder, int record);

// Finishes or undoes the jobs of all records in the open folder that no live job holds.
// Returns how many.
int RecoverEndedJobs(int folder);

// The same in each of the stored folders once (a directory table's input folders), before a
// scan, so that the scan lists what the ended runs left as it now is.
int RecoverEndedJobsIn(const std::vector<std::string>& storedFolders);

} // namespace convert
