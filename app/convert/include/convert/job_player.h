#pragma once
// Listening to a job (a double click on the job list): the companion player "Listenbox" when
// it lies in the working folder, else the desktop's default handler for the file.

#include "convert/document_opener.h"
#include "convert/message_boxes.h"
#include "jobs/job_row.h"

#include <functional>
#include <string>
#include <vector>

namespace convert {

inline constexpr const char* kPlayerName = "Listenbox";

// Starts a program (native path) with its arguments, not waited for; false when it could not
// be started. A seam, so that tests see what would be started.
using ProgramStarter =
    std::function<bool(const std::string& program, const std::vector<std::string>& args)>;

// platform::startProgram without waiting.
ProgramStarter DefaultProgramStarter();

class JobPlayer {
public:
    // The boxes must outlive the player.
    JobPlayer(MessageBoxes& boxes, DocumentOpener opener = DefaultDocumentOpener(),
              ProgramStarter starter = DefaultProgramStarter());

    // firstSelected is the first selected job row, or null when none is selected: then the
    // information box "No jobs have been selected.". The row's file is its input folder and
    // caption (after a conversion, the renamed input). A missing file starts nothing; a
    // player that cannot be started is ignored.
    void ListView1DblClick(const shell::JobRow* firstSelected) const;

private:
    MessageBoxes& boxes_;
    DocumentOpener opener_;
    ProgramStarter starter_;
};

} // namespace convert
