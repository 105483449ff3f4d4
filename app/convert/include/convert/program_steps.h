#pragma once
// The conversion steps of the program itself (the main window and the command-line runner):
// the DSS converter, the wave conversion chain, the speech hand-off and the toolkit's VOX save.

#include "config/settings.h"
#include "convert/conversion_steps.h"
#include "convert/event_loop.h"
#include "convert/job_error_reporter.h"
#include "convert/progress_view.h"
#include "convert/wait_ends.h"

#include <memory>

namespace convert {

// Everything referenced must outlive the steps; the settings are read at each call. The ends
// cut the converter's and the speech engine's waits short (wait_ends.h).
std::unique_ptr<ConversionSteps> MakeProgramSteps(const shell::Settings& settings,
                                                  const JobErrorReporter& errors,
                                                  ProgressView& progress, EventLoop& loop,
                                                  WaitEnds ends = {});

} // namespace convert
