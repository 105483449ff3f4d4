#include "ui/Launcher.h"

#include "platform/paths.h"
#include "platform/programs.h"

namespace ui {
namespace {

OpenHandler& installedHandler() {
    static OpenHandler handler;
    return handler;
}

} // namespace

bool openExternally(const std::string& pathOrUrl) {
    const OpenHandler& handler = installedHandler();
    return handler ? handler(pathOrUrl) : platform::openWithDefaultHandler(pathOrUrl);
}

void setOpenHandler(OpenHandler handler) {
    installedHandler() = std::move(handler);
}

std::string helpFilePath() {
    return platform::executableFolder() + "Import.html";
}

} // namespace ui
