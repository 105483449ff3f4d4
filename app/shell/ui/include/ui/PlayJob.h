// The main window's "listen to a job" (a double click on the job list): a thin adapter from the
// window to the conversion library's player rule.
#pragma once

#include "convert/job_player.h"

namespace ui {

class TfrmMainForm;

// Installs ListView1DblClick's handler. Programs are started by `starter`; the default
// handler is reached through the window's opener seam (openExternally).
void installPlayJobCommand(TfrmMainForm& form,
                           convert::ProgramStarter starter = convert::DefaultProgramStarter());

} // namespace ui
