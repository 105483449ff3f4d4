#pragma once
// The job header that names every output file: priority, day, job number, ID field, location
// and an optional source part, laid out as "%c %s-%.3i %s0000 %.2i %.30s ". Downstream
// transcription software reads these fields by position, so the layout is exact to the byte.

#include <cstddef>
#include <string>
#include <string_view>

namespace convert {

inline constexpr std::size_t kIdFieldWidth = 5;
inline constexpr std::size_t kSourcePartWidth = 30;
// A name that already carries a header is kept up to this many bytes.
inline constexpr std::size_t kKeptHeaderWidth = 100;

// "N" for the priority index 0 ("Normal"), "S" for any other index or no selection.
char PriorityLetter(int priorityIndex);

// The five characters after the job number: a user ID left-justified, blank-padded and cut to
// five, with blanks at positions 2 to 4 turned into "0"; without a user ID the dictator ID the
// same way but without the zero fill.
std::string IdField(std::string_view userId, std::string_view dictatorId);

// From the last "." on, dot included; empty when the name has no ".".
std::string_view ExtensionOf(std::string_view name);
// The name up to its last "." (the whole name when it has none).
std::string_view WithoutExtension(std::string_view name);

// True when the text is longer than minLengthExclusive and has "-" at position 7 and a blank at
// position 21 (1-based): it already carries a job header.
bool HasHeaderLayout(std::string_view text, std::size_t minLengthExclusive);

struct JobHeaderFields {
    char priority = 'N';
    std::string dateKey;
    int sequence = 0;
    std::string idField;
    int location = 0;
    std::string sourcePart;
};

// The header: "%c %s-%.3i %s0000 %.2i %.30s ".
std::string FormatJobHeader(const JobHeaderFields& fields);

} // namespace convert
