// Import: the single-instance guard, the application object, the six windows and the loop.
#include "ui/ApplicationWindows.h"
#include "ui/ConversionCommands.h"
#include "ui/Guard.h"
#include "ui/MainForm.h"
#include "ui/SingleInstance.h"

int main(int argc, char** argv) {
    ui::ImportApplication app(argc, argv);
    // The lock records the application name, which must stay the executable's own name: a
    // lock whose name differs from its owner's process is taken for a stale one.
    ui::SingleInstance instance;
    if (instance.start() == ui::SingleInstance::Outcome::OtherRestored)
        return 0;
    int result = 0;
    ui::guarded(nullptr, [&] {
        ui::ApplicationWindows windows;
        windows.answerLaterStarts(instance);
        windows.frmMainForm().show();
        ui::scheduleScreenshotFromEnvironment(windows.frmMainForm());
        ui::scheduleConvertAllFromEnvironment(windows.frmMainForm());
        result = QApplication::exec();
    });
    return result;
}
