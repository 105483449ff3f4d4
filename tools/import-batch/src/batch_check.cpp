#include "batch_check.h"

#include "batch_host.h"
#include "batch_runner.h"

#include "config/config_check.h"
#include "config/config_store.h"
#include "config/directory_table.h"
#include "convert/run_temp_folder.h"
#include "platform/paths.h"
#include "platform/private_profile.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace batch {
namespace {

// Why this user cannot use a stored folder as a run does (read, and write where asked), or
// empty when it can.
std::string FolderProblem(const std::string& stored, bool needsWriting) {
    const std::string native = platform::resolvePath(stored);
    const char* path = native.empty() ? "." : native.c_str();
    if (!platform::isDirectory(stored))
        return platform::pathExists(stored) ? "is not a folder" : "does not exist";
    if (::access(path, R_OK | X_OK) != 0)
        return std::string("cannot be read (") + std::strerror(errno) + ")";
    if (needsWriting && ::access(path, W_OK) != 0)
        return std::string("cannot be written (") + std::strerror(errno) + ")";
    return {};
}

// An output folder that does not exist yet is made by the Directories window's save, not by a
// run: it must exist, or a run fails every job of its row.
void CheckRow(const shell::DirectoryRow& row, int number, std::vector<std::string>& problems) {
    const std::string prefix = "directory row " + std::to_string(number) + ": the ";
    if (const std::string why = FolderProblem(row.inputDir(), true); !why.empty())
        problems.push_back(prefix + "input folder \"" + row.inputDir() + "\" " + why);
    if (const std::string why = FolderProblem(row.outputDir(), true); !why.empty())
        problems.push_back(prefix + "output folder \"" + row.outputDir() + "\" " + why);
}

void CheckSpeechFolders(const shell::Settings& settings, std::vector<std::string>& problems) {
    const struct {
        const char* role;
        const std::string& folder;
    } folders[] = {{"speech engine's input", settings.SpeechInput},
                   {"speech engine's output", settings.SpeechOutput}};
    for (const auto& [role, folder] : folders) {
        if (const std::string why = FolderProblem(folder, true); !why.empty())
            problems.push_back(std::string("the ") + role + " folder \"" + folder + "\" " + why);
    }
}

} // namespace

std::string WatchIntervalProblem(int minutes) {
    return "--watch needs a ConvertInterval of " + std::to_string(shell::kMinConvertInterval) +
           " to " + std::to_string(shell::kMaxConvertInterval) + " minutes in import.ini, not " +
           std::to_string(minutes);
}

std::vector<std::string> ConfigurationProblems() {
    if (auto problem = shell::ConfigFileProblem())
        return {*problem};
    std::vector<std::string> problems;
    const shell::Settings settings = shell::ConfigStore(shell::kConfigFileName).LoadSettings();
    if (!shell::IsValidConvertInterval(settings.ConvertInterval))
        problems.push_back(WatchIntervalProblem(settings.ConvertInterval));
    if (!platform::isDirectory(platform::driveRoot()))
        problems.push_back("the drive root " + platform::driveRoot() +
                           " does not exist (IMPORT_DRIVE_ROOT)");
    if (const convert::RunTempFolder temp; !temp.ready())
        problems.push_back("the temporary folder cannot be used: " + temp.failure());
    const shell::DirectoryTable table =
        shell::ReadDirectoryTable(platform::ProfileReader(shell::kConfigFileName));
    for (int number = 1; number <= table.tableRowCount; ++number) {
        const shell::DirectoryRow& row = table.rowsRead[static_cast<std::size_t>(number - 1)];
        if (!shell::IsBlankFolder(row.inputDir()))
            CheckRow(row, number, problems);
    }
    if (settings.SpeechRec)
        CheckSpeechFolders(settings, problems);
    return problems;
}

int CheckConfiguration() {
    const std::vector<std::string> problems = ConfigurationProblems();
    for (const std::string& problem : problems)
        Complain(problem);
    if (!problems.empty())
        return kBadUsage;
    PrintLine("import.ini is ready for a conversion");
    return kAllConverted;
}

} // namespace batch
