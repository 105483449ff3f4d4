#pragma once
// Why the DSS converter failed, handed from the converter program to the conversion step that
// ran it: one line in a file beside the converter's result, written by the converter before it
// exits and read by the step after it has ended (the step holds the result's lock throughout),
// so that the job's text can say why without the converter's standard error.

#include <string>

namespace wavefile {

// The reason file beside a native result path: "<folder>/.<name>.reason". Its leading "." and
// its ending keep every job rule from taking it for a dictation.
std::string ConverterReasonPath(const std::string& nativeResult);

// Replaces the reason file with the line. False when it cannot be written (the converter's
// standard error still has the reason).
bool WriteConverterReason(const std::string& nativeResult, const std::string& reason);

// The line the converter left, at most a few hundred characters, and removes the file; empty
// when there is none.
std::string TakeConverterReason(const std::string& nativeResult);

} // namespace wavefile
