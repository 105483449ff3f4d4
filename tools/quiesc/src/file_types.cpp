#include "file_types.h"

#include "Quiesc.h"

#include <cctype>

namespace quiesc_tool {
namespace {

const FileType fileTypes[] = {
    {"vox", "vox", true, FORMAT_TAG_DIALOGIC_ADPCM},
    {"wav", "wav", false, std::nullopt},
    {"ul", "vox", true, FORMAT_TAG_MULAW},
    {"al", "vox", true, FORMAT_TAG_ALAW},
    {"raw", "vox", true, std::nullopt},
};

std::string lowerCase(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

} // namespace

const FileType* findFileType(const std::string& name) {
    const std::string lower = lowerCase(name);
    for (const FileType& type : fileTypes) {
        if (lower == type.name) {
            return &type;
        }
    }
    return nullptr;
}

const FileType* typeOfFileName(const std::string& fileName) {
    const std::size_t slash = fileName.rfind('/');
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return nullptr;
    }
    return findFileType(fileName.substr(dot + 1));
}

std::string fileTypeNames() {
    std::string names;
    for (const FileType& type : fileTypes) {
        names += names.empty() ? "" : " ";
        names += type.name;
    }
    return names;
}

} // namespace quiesc_tool
