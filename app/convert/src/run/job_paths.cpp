#include "convert/job_paths.h"

#include "platform/paths.h"

namespace convert {
namespace {

std::size_t FileNameStart(std::string_view path) {
    const std::size_t separator = path.find_last_of("/\\");
    return separator == std::string_view::npos ? 0 : separator + 1;
}

} // namespace

bool IsDssInput(std::string_view inputName) {
    const std::size_t dot = inputName.rfind('.');
    if (dot == std::string_view::npos || inputName.size() - dot != 4)
        return false;
    std::string extension(inputName.substr(dot));
    for (char& c : extension)
        c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
    return extension == ".dss";
}

std::string WithFileEnding(std::string_view path, std::string_view newEnding) {
    const std::size_t nameStart = FileNameStart(path);
    const std::size_t dot = path.rfind('.');
    const std::size_t cut = (dot == std::string_view::npos || dot < nameStart) ? path.size() : dot;
    std::string result(path.substr(0, cut));
    result += newEnding;
    return result;
}

JobPaths BuildJobPaths(std::string_view inputDir, std::string_view inputName,
                       std::string_view outputDir, std::string_view outputName,
                       std::string_view tempFolder, int jobNumber) {
    const std::string job = std::string(tempFolder) + "job" + std::to_string(jobNumber);
    JobPaths paths;
    paths.inputPath = platform::joinPath(inputDir, inputName);
    paths.tempWavePath = job + ".wav";
    paths.outputPath = platform::joinPath(outputDir, outputName);
    paths.pcmPath = WithFileEnding(paths.tempWavePath, "tmp.wav");
    // The converter's messages name the dictation's own file; no other temporary file ends in
    // ".dss".
    if (IsDssInput(inputName))
        paths.inputCopyPath = std::string(tempFolder) + std::string(inputName);
    paths.voxPath = job + ".vox";
    return paths;
}

} // namespace convert
