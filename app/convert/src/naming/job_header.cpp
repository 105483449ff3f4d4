#include "convert/job_header.h"

#include "convert/text_cut.h"

namespace convert {

namespace {

// Positions 2 to 4 (1-based) of a user ID's field are zero-filled.
constexpr std::size_t kZeroFillFirst = 1;
constexpr std::size_t kZeroFillLast = 3;
// Positions of the "-" after the day key and of the blank before "0000" (1-based).
constexpr std::size_t kDashPosition = 7;
constexpr std::size_t kBlankPosition = 21;

} // namespace

char PriorityLetter(int priorityIndex) {
    return priorityIndex == 0 ? 'N' : 'S';
}

std::string IdField(std::string_view userId, std::string_view dictatorId) {
    if (userId.empty()) {
        return LeftJustified(dictatorId, kIdFieldWidth);
    }
    std::string field = LeftJustified(userId, kIdFieldWidth);
    for (std::size_t at = kZeroFillFirst; at <= kZeroFillLast; ++at) {
        if (field[at] == ' ') {
            field[at] = '0';
        }
    }
    return field;
}

std::string_view ExtensionOf(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

std::string_view WithoutExtension(std::string_view name) {
    return name.substr(0, name.size() - ExtensionOf(name).size());
}

bool HasHeaderLayout(std::string_view text, std::size_t minLengthExclusive) {
    return text.size() > minLengthExclusive && text.size() >= kBlankPosition &&
           text[kDashPosition - 1] == '-' && text[kBlankPosition - 1] == ' ';
}

std::string FormatJobHeader(const JobHeaderFields& fields) {
    std::string header;
    header += fields.priority;
    header += ' ';
    header += fields.dateKey;
    header += '-';
    header += ZeroPadded(fields.sequence, 3);
    header += ' ';
    header += fields.idField;
    header += "0000 ";
    header += ZeroPadded(fields.location, 2);
    header += ' ';
    header += CutText(fields.sourcePart, kSourcePartWidth);
    header += ' ';
    return header;
}

} // namespace convert
