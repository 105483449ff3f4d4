// Import: the single-instance guard, the application object, the six windows and the loop.
#include "ui/ApplicationWindows.h"
#include "ui/Captions.h"
#include "ui/Guard.h"
#include "ui/MainForm.h"
#include "ui/SingleInstance.h"

int main(int argc, char** argv) {
    ui::ImportApplication app(argc, argv);
    ui::SingleInstance instance;
    if (instance.start() == ui::SingleInstance::Outcome::OtherRestored)
        return 0;
    QApplication::setApplicationName(ui::kApplicationTitle);
    int result = 0;
    ui::guarded(nullptr, [&] {
        ui::ApplicationWindows windows;
        windows.answerLaterStarts(instance);
        windows.frmMainForm().show();
        ui::scheduleScreenshotFromEnvironment(windows.frmMainForm());
        result = QApplication::exec();
    });
    return result;
}
