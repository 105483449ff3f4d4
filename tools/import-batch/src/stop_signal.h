// SIGINT and SIGTERM ask import-batch to stop after the current job; a second one ends it at
// once (every output is written safely, so nothing is lost either way).
#pragma once

namespace batch {

void InstallStopSignals();
bool StopRequested();

} // namespace batch
