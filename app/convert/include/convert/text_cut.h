#pragma once
// Cutting and padding texts to the fixed widths of the job header, the log and the report.
// Widths count bytes, as the fixed layouts do; a cut never splits a UTF-8 character, so a
// name with non-ASCII letters never yields an invalid file name or log line.

#include <cstddef>
#include <string>
#include <string_view>

namespace convert {

// The text cut after at most maxBytes bytes (fewer when the cut would split a UTF-8 sequence).
std::string_view CutText(std::string_view text, std::size_t maxBytes);

// The bytes of the text's first character: a whole UTF-8 sequence, else one byte.
std::size_t FirstCharacterLength(std::string_view text);

// "%-W.Ws": cut to width, then padded with blanks on the right to width bytes.
std::string LeftJustified(std::string_view text, std::size_t width);

// "%Ws": padded with blanks on the left to at least width bytes, never cut.
std::string RightJustified(std::string_view text, std::size_t width);

// Removes leading and trailing blanks and control characters (every byte up to 0x20).
std::string_view TrimBlanksAndControls(std::string_view text);

// Reads a decimal integer as the C function atol does: leading white space, an optional sign,
// then digits up to the first non-digit; 0 without digits. Out-of-range values saturate at the
// limits of a 32-bit int instead of being undefined.
int ReadNumberLikeAtol(std::string_view text);

// "%.Ni": the number in decimal with at least minDigits digits (after any sign).
std::string ZeroPadded(long long number, int minDigits);

} // namespace convert
