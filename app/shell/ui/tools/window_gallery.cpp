// Saves pictures of the program's dialogs, as they look on the current platform, so that they
// can be looked at on a machine without a screen (tools/demo/window-gallery.sh runs it under
// Xvfb): the main window, both pages of Settings, Directories, File Transfer, Conversion
// Progress in the middle of a run and the tips window.
//
//   import_window_gallery OUTPUT_FOLDER
//
// Runs in the working folder's configuration, like the program.
#include "ui/ApplicationWindows.h"
#include "ui/GridForm.h"
#include "ui/MainForm.h"
#include "ui/PauseForm.h"
#include "ui/ProgressForm.h"
#include "ui/SettingsForm.h"
#include "ui/TipsForm.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QTabWidget>
#include <QTest>

#include <cstdio>

namespace {

bool save(QWidget& window, const QDir& folder, const QString& name) {
    window.show();
    window.raise();
    // The window system maps the window before it is grabbed; grab() paints it itself.
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "%s was never shown\n", qPrintable(name));
        return false;
    }
    const QString file = folder.filePath(name);
    if (!window.grab().save(file, "PNG")) {
        std::fprintf(stderr, "cannot save %s\n", qPrintable(file));
        return false;
    }
    std::printf("%s\n", qPrintable(file));
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: import_window_gallery OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    ui::ApplicationWindows windows;
    ui::TfrmMainForm& main = windows.frmMainForm();
    bool saved = save(main, folder, QStringLiteral("main-window.png"));

    ui::TfrmSettings& settings = windows.frmSettings();
    settings.loadFrom(main.settings);
    settings.setModal(false);
    saved &= save(settings, folder, QStringLiteral("settings-general.png"));
    settings.pages()->setCurrentIndex(1);
    saved &= save(settings, folder, QStringLiteral("settings-speech.png"));
    settings.hide();

    saved &= save(windows.frmGrid(), folder, QStringLiteral("directories.png"));
    windows.frmGrid().hide();

    ui::TfrmPause transfer(&main);
    transfer.lblCurFile()->setText(
        QStringLiteral("File:  /home/office/Desktop/dictations/smith-discharge.wav"));
    transfer.anmPause()->start();
    for (int frame = 0; frame < 14; ++frame)
        transfer.anmPause()->advance();
    saved &= save(transfer, folder, QStringLiteral("file-transfer.png"));
    transfer.hide();

    // The texts a run writes, with a long folder to show how the window copes with it.
    ui::TfrmProgress& progress = windows.frmProgress();
    progress.lblStatus()->setText(QStringLiteral("Converting File: 12 of 140"));
    progress.lblFileName()->setText(QStringLiteral("Converting: smith-discharge.wav"));
    progress.lblInput()->setText(
        QStringLiteral("Input Dir: C:\\Dictations\\Cardiology\\Dr Smith\\Monday morning"));
    progress.lblOutput()->setText(QStringLiteral("Output Dir: C:\\Convert\\TSP\\type1"));
    progress.MMGauge1()->setValue(42);
    saved &= save(progress, folder, QStringLiteral("conversion-progress.png"));
    progress.hide();

    ui::TfrmTips tips(".\\import.ini", &main);
    saved &= save(tips, folder, QStringLiteral("tips.png"));
    return saved ? 0 : 1;
}
