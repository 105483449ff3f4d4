#include "format_table.h"

#include "common/text_helpers.h"

#include <iterator>

namespace quiesc {
namespace {

// Open rows: the VOX dialog starts on the first format and the third rate ("8000 Hz").
FormatEntry openRows[] = {
    {"vox", "Dialogic VOX", "Adpcmio.dll", "OpenVox", {0, nullptr, nullptr, 0, 2}},
    {"wav", "Windows WAV", "Riffio.dll", "OpenWav", {0, nullptr, nullptr, 0, 0}},
};

FormatEntry saveRows[] = {
    {"vox", "Dialogic VOX", "Adpcmio.dll", "SaveVox", {0, nullptr, nullptr, 0, 0}},
    {"wav", "Windows WAV", "Riffio.dll", "SaveWav", {0, nullptr, nullptr, 0, 0}},
};

FormatTable openRowsTable{openRows, std::size(openRows)};
FormatTable saveRowsTable{saveRows, std::size(saveRows)};

// Only A to Z fold, so the choice does not depend on the locale.
char foldAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalIgnoringAsciiCase(const char* a, const char* b) {
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        if (foldAsciiLetter(*a) != foldAsciiLetter(*b)) {
            return false;
        }
    }
    return *a == *b;
}

} // namespace

FormatTable& openTable() {
    return openRowsTable;
}

FormatTable& saveTable() {
    return saveRowsTable;
}

FormatEntry* chooseRow(const FormatTable& table, const char* fileName) {
    const char* extension = common::findExtension(fileName);
    if (extension == nullptr) {
        return nullptr;
    }
    for (std::size_t i = 0; i < table.count; ++i) {
        if (equalIgnoringAsciiCase(extension, table.rows[i].extension)) {
            return &table.rows[i];
        }
    }
    return nullptr;
}

} // namespace quiesc
