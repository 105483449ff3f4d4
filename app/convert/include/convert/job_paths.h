#pragma once
// The paths of one conversion job, built once per job in a fixed order: the input, the
// temporary wave file, the output and, for VOX output, the intermediate PCM file. The
// temporary files made from the input carry short names of their own, numbered by the job
// within its run, so that an input of any name the file system allows converts (names made
// from a long name, or their partial names, would pass the limit).

#include <string>
#include <string_view>

namespace convert {

struct JobPaths {
    std::string inputPath;     // stored: input folder joined with the input file name
    std::string tempWavePath;  // native: the run's temporary folder + "job<n>.wav"
    std::string outputPath;    // stored: output folder joined with the output name
    std::string pcmPath;       // native: tempWavePath with "tmp.wav" for its extension
    std::string inputCopyPath; // native: the private copy a DSS input is decoded from, under
                               // the input's own name (empty for other inputs)
    std::string voxPath;       // native: the VOX output before it is published
};

// True when the name's extension, lower-cased, is ".dss".
bool IsDssInput(std::string_view inputName);

// The file name part of a path (after the last "/" or "\"), with everything from its last "."
// on replaced by newEnding (appended when the name has no "."): ("/t/abc.wav", "tmp.wav") gives
// "/t/abctmp.wav".
std::string WithFileEnding(std::string_view path, std::string_view newEnding);

// tempFolder is native and ends with "/"; jobNumber tells the run's jobs apart.
JobPaths BuildJobPaths(std::string_view inputDir, std::string_view inputName,
                       std::string_view outputDir, std::string_view outputName,
                       std::string_view tempFolder, int jobNumber);

} // namespace convert
