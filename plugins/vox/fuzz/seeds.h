// Writes the VOX fuzzer's seed corpus into `folder`. False (with a message on standard error)
// when a file cannot be written.
#pragma once

#include <string>

bool writeVoxSeeds(const std::string& folder);
