// SIGINT and SIGTERM ask import-batch to stop: every wait ends at once (a DSS converter under
// way is killed and its job stays waiting), the current job is finished or undone, and the
// program ends after it. A second signal ends it at once (every output is written safely and
// no converter outlives the program, so nothing is lost either way).
#pragma once

namespace batch {

void InstallStopSignals();
// Any thread.
bool StopRequested();
// The signal that asked to stop; 0 when none came.
int StopSignal();

} // namespace batch
