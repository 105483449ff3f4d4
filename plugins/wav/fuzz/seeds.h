// Writes the WAV fuzzer's seed corpus into `folder`. False (with a message on standard error)
// when a file cannot be written.
#pragma once

#include <string>

bool writeWavSeeds(const std::string& folder);
