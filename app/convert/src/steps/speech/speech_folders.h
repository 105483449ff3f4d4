#pragma once
// Where the speech hand-off puts the engine's copy and the engine's texts. Stored paths, in
// the style of the folder they come from.

#include <string>
#include <string_view>

namespace convert::steps {

// The folder with a separator at its end (a "\" for a folder in backslash style, else "/"),
// unless it already ends with one.
std::string WithTrailingSeparator(std::string_view folder);

// The engine's input folder: SpeechInput, or its subfolder named by the user ID when that
// exists; always ending with a separator.
std::string SpeechInputFolder(std::string_view speechInput, std::string_view userId);

// The engine's copy: the input folder + the output file's name with its extension (from the
// last "." on) replaced by ".wav".
std::string SpeechFilePath(std::string_view inputFolder, std::string_view outputPath);

// Where the texts go: the output folder itself when MoveOutputText is on, else "Documents"
// beside it (the output folder's part up to and including its last separator + "Documents").
std::string TextDestination(std::string_view outputDir, bool moveOutputText);

} // namespace convert::steps
