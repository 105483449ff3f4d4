// Dictations whose contents are each their own, so that every output can be traced to its
// input, and the rule a run must keep whatever happens to it: no dictation converted twice,
// none lost, none marked done without its output, and an output beside a waiting input only
// while a job record will finish that job.
#pragma once

#include "batch_program.h"

#include <map>
#include <set>
#include <string>

namespace batch_test {

class DictationLedger {
public:
    // The input folder and the output folders (below the drive root) the dictations go through.
    DictationLedger(const BatchWorkspace& workspace, std::string inputFolder,
                    std::vector<std::string> outputFolders);

    // Dictations with the extension ".wav" or ".dss" (a DSS file the converter decodes).
    void add(int count, const std::string& extension = ".wav");
    int dictations() const { return next_; }
    // Those still in the folders, not retired.
    int present() const { return next_ - static_cast<int>(retired_.size()); }

    struct Count {
        int waiting = 0;
        int converted = 0;  // marked done, with one output
        int halfDone = 0;   // waiting with an output, and a record to finish it
        int duplicates = 0; // with more than one output
        int lost = 0;       // gone, or marked done without an output
        int partials = 0;   // partial files in the output folders
        int records = 0;    // job records in the input folder
    };
    // Counts, and fails the test where the rule is broken; `when` names the moment.
    Count check(const std::string& when) const;

    // Takes the converted dictations (marked inputs and their outputs) out of the folders and
    // of later checks, so that a long test does not read a growing pile again and again.
    void retireConverted();

private:
    // What the folders hold, by dictation.
    struct Seen {
        std::multiset<int> waiting, marked, outputs;
        std::set<int> recorded; // waiting beside a job record for it
    };
    Seen look(const std::string& when, Count& count) const;
    // The dictation whose content the file holds; -1 for none.
    int idOf(const fs::path& file) const;

    const BatchWorkspace& workspace_;
    std::string inputFolder_;
    std::vector<std::string> outputFolders_;
    std::map<std::string, int> idOfContent_;
    std::set<int> retired_;
    int next_ = 0;
};

} // namespace batch_test
