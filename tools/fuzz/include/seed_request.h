// A fuzzer writes its own seed corpus when started with QUORVEL_WRITE_SEEDS=FOLDER, then exits:
// the seeds come from the plug-ins' own writers, built with the same flags.
#pragma once

#include <cstdlib>
#include <string>

namespace fuzzing {

inline void writeSeedsIfAsked(bool (*writeSeeds)(const std::string& folder)) {
    const char* folder = std::getenv("QUORVEL_WRITE_SEEDS");
    if (folder != nullptr) {
        std::exit(writeSeeds(folder) ? 0 : 1);
    }
}

} // namespace fuzzing
