#pragma once
// The record of what a job is about to do once its output is complete: which input, in which
// state, gets which done name, and which output (by its file, not only its name) it publishes.
// The record lies in the input folder beside the dictation (job_claim.h), so that whatever run
// comes next to that folder, from any working folder or machine, can finish or undo the job of
// a run that was killed.

#include "files/file_identity.h"

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>

namespace convert {

struct JobIntent {
    std::string inputName;
    files::FileIdentity input;
    std::string doneName;
    std::string outputPath;    // stored, as it is shown
    std::string nativeOutput;  // absolute
    std::string nativePartial; // absolute: the complete output under its partial name
    ino_t outputInode = 0;     // the partial file's, which the published output keeps
    off_t outputSize = 0;
};

// The record's name for the input's inode: ".import-<inode>.job". No job rule takes it, and it
// stays short for inputs with the longest names.
std::string JobRecordName(ino_t inputInode);
bool IsJobRecordName(std::string_view name);

// The record's bytes: a first line that names the format, then the numbers and the names
// (names are stored with their length, as they may hold any byte but "/").
std::string JobRecordText(const JobIntent& intent);
// Nothing for anything but a whole record (a job that had not got that far, or a torn write).
std::optional<JobIntent> ParseJobRecord(std::string_view text);

} // namespace convert
