// A fuzzer writes its own seed corpus when started with QUORVEL_WRITE_SEEDS=FOLDER, then exits:
// the seeds come from the plug-ins' own writers, built with the same flags.
#pragma once

#include <cstdlib>
#include <fstream>
#include <string>

namespace fuzzing {

inline void writeSeedsIfAsked(bool (*writeSeeds)(const std::string& folder)) {
    const char* folder = std::getenv("QUORVEL_WRITE_SEEDS");
    if (folder != nullptr) {
        std::exit(writeSeeds(folder) ? 0 : 1);
    }
}

// Writes FOLDER/seedINDEX.EXT; false when the file could not be written whole.
inline bool writeSeed(const std::string& folder, int index, const char* extension,
                      const std::string& bytes) {
    std::ofstream out(folder + "/seed" + std::to_string(index) + extension, std::ios::binary);
    out << bytes;
    return static_cast<bool>(out.flush());
}

} // namespace fuzzing
