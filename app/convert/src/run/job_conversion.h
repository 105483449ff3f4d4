#pragma once
// One job of a run, from the input folder to the marked input: its steps in order, and
// whatever it leaves undone taken back at its end (the temporary files, the reserved output,
// the claim of the input).

#include "convert/conversion_run.h"
#include "convert/input_file.h"
#include "convert/job_claim.h"
#include "convert/job_paths.h"
#include "convert/run_temp_folder.h"
#include "files/partial_file.h"

#include <map>
#include <optional>
#include <set>
#include <string>

namespace convert {

// What a run keeps from job to job.
struct RunState {
    explicit RunState(const RunTempFolder& temp)
        : temp(temp) {}

    const RunTempFolder& temp;
    std::set<std::string> cleanedOutputFolders;  // native
    std::set<std::string> recoveredInputFolders; // native
    // The native inputs this run has converted, with their rows: a second row listing one of
    // them (two rows of one input folder) finds it gone.
    std::map<std::string, int> convertedInputs;
    int jobs = 0;
};

class JobConversion {
public:
    JobConversion(const RunContext& context, RunState& state, int rowIndex);
    ~JobConversion();
    JobConversion(const JobConversion&) = delete;
    JobConversion& operator=(const JobConversion&) = delete;

    JobOutcome Convert();

private:
    JobEnd Steps();
    std::optional<JobEnd> OpenInput();
    std::optional<JobEnd> EndForMissingInput();
    std::optional<JobEnd> ClaimInput();
    std::optional<JobEnd> ReserveOutput();
    std::optional<JobEnd> ConvertIntoReservation();
    JobEnd PublishAndMark();

    bool BringInputToTemp();
    bool CopyInputTo(const std::string& nativePath);
    bool HandOffSpeech();
    bool WriteOutput();
    bool WriteVoxOutput();
    bool FillReservation(const std::string& nativeSource);
    bool FillReservationFrom(int sourceFd);
    void Withdraw();
    void ShowConverted(const std::string& newCaption);
    void ShowConvertedEarlier(int earlierRow);
    void RecoverInputFolderOnce();
    void CleanOutputFolderOnce();

    // Reports the job's error; the detail (why) goes to the job's outcome only.
    JobEnd Fail(const std::string& text, const std::string& detail = {});
    // A step has failed: the job ends as stopped when a stop was asked, else as failed (the
    // step has reported why).
    JobEnd StepFailed();
    bool Stopping() const;
    void RemoveTempFile(const std::string& nativePath);

    const RunContext& context_;
    RunState& state_;
    const int rowIndex_;
    const shell::JobRow row_;
    const std::string inputName_;
    const std::string inputPath_;
    std::string nativeFolder_;
    InputFile input_;
    std::optional<std::string> doneName_;
    std::optional<JobClaim> claim_;
    std::string outputName_;
    JobPaths paths_;
    std::string nativeOutput_;
    files::PartialFile reservation_;
    ino_t outputInode_ = 0;
    off_t outputSize_ = 0;
    bool published_ = false;
    std::string error_;
    std::string detail_;
    JobOutcome outcome_;
};

} // namespace convert
