#include "convert/job_player.h"

#include "convert/report_command.h"

#include "platform/paths.h"
#include "platform/programs.h"

#include <sys/stat.h>

namespace convert {
namespace {

bool isRegularFile(const std::string& nativePath) {
    struct stat status {};
    return ::stat(nativePath.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

} // namespace

ProgramStarter DefaultProgramStarter() {
    return [](const std::string& program, const std::vector<std::string>& args) {
        return platform::startProgram(program, args, false);
    };
}

JobPlayer::JobPlayer(MessageBoxes& boxes, DocumentOpener opener, ProgramStarter starter)
    : boxes_(boxes)
    , opener_(std::move(opener))
    , starter_(std::move(starter)) {}

void JobPlayer::ListView1DblClick(const shell::JobRow* firstSelected) const {
    if (firstSelected == nullptr) {
        boxes_.Show({kInformationCaption, kNoJobsSelected, BoxIcon::Information, BoxButtons::Ok,
                     BoxOwner::MainWindow});
        return;
    }
    const std::string file = platform::joinPath(firstSelected->columns[shell::kColInputDir],
                                                firstSelected->columns[shell::kColInputFile]);
    const std::string nativeFile = NativeAbsolutePath(file);
    if (!isRegularFile(nativeFile))
        return;
    // The player is looked for in the working folder only, as the program looks for it.
    const std::string player = NativeAbsolutePath(kPlayerName);
    if (isRegularFile(player)) {
        if (starter_)
            static_cast<void>(starter_(player, {nativeFile}));
        return;
    }
    if (opener_)
        static_cast<void>(opener_(nativeFile));
}

} // namespace convert
