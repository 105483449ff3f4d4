// Saves pictures of the program's dialogs, as they look on the current platform, so that they
// can be looked at on a machine without a screen (tools/demo/window-gallery.sh runs it under
// Xvfb): the main window, both pages of Settings, Directories, File Transfer, Conversion
// Progress in the middle of a run and the tips window; then, in the running program, a job
// whose conversion failed with its tool tip, files dropped on the window while they are being
// copied, and the first start's hint.
//
//   import_window_gallery OUTPUT_FOLDER [DESKTOP_FOLDER FIRST_START_FOLDER]
//
// Runs in the working folder's configuration, like the program. The files of DESKTOP_FOLDER
// are dropped on the window; FIRST_START_FOLDER holds the working folder ("work") and the drive
// root ("drives") of a first start.
#include "ui/ApplicationWindows.h"
#include "ui/GridForm.h"
#include "ui/JobListView.h"
#include "ui/MainForm.h"
#include "ui/PauseForm.h"
#include "ui/ProgressForm.h"
#include "ui/Prompts.h"
#include "ui/SettingsForm.h"
#include "ui/TipsForm.h"

#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QMimeData>
#include <QProgressBar>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QToolTip>
#include <QUrl>

#include <cstdio>
#include <functional>

namespace {

bool savePicture(const QPixmap& picture, const QDir& folder, const QString& name) {
    const QString file = folder.filePath(name);
    if (!picture.save(file, "PNG")) {
        std::fprintf(stderr, "cannot save %s\n", qPrintable(file));
        return false;
    }
    std::printf("%s\n", qPrintable(file));
    return true;
}

bool shown(QWidget& window, const QString& name) {
    window.show();
    window.raise();
    // The window system maps the window before it is grabbed; grab() paints it itself.
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "%s was never shown\n", qPrintable(name));
        return false;
    }
    return true;
}

bool save(QWidget& window, const QDir& folder, const QString& name) {
    return shown(window, name) && savePicture(window.grab(), folder, name);
}

// The screen around the windows, as the window system shows them: a tool tip or a second
// window over the main window is a window of its own, which grab() would leave out.
bool saveScreenAround(const QList<const QWidget*>& windows, const QDir& folder,
                      const QString& name) {
    QRect area;
    for (const QWidget* window : windows)
        area |= window->frameGeometry();
    area.adjust(-8, -8, 8, 8);
    QScreen* screen = QGuiApplication::primaryScreen();
    area &= screen->geometry();
    return savePicture(screen->grabWindow(0, area.x(), area.y(), area.width(), area.height()),
                       folder, name);
}

// The program's message boxes and dialogs, answered without a person: every question with Yes,
// every dialog closed once it has been shown. `onMessage` sees each box while it would be up.
class GalleryPrompts final : public ui::Prompts {
public:
    GalleryPrompts() { ui::setPrompts(this); }
    ~GalleryPrompts() override { ui::setPrompts(nullptr); }
    GalleryPrompts(const GalleryPrompts&) = delete;
    GalleryPrompts& operator=(const GalleryPrompts&) = delete;

    ui::PromptAnswer message(const ui::PromptRequest& request) override {
        std::printf("  box: %s\n", qPrintable(request.text));
        if (onMessage)
            onMessage(request);
        return request.buttons == ui::PromptButtons::YesNo ? ui::PromptAnswer::Yes
                                                           : ui::PromptAnswer::Ok;
    }

    int execDialog(QDialog& dialog) override {
        dialog.show();
        static_cast<void>(QTest::qWaitForWindowExposed(&dialog));
        dialog.reject();
        return dialog.result();
    }

    std::function<void(const ui::PromptRequest&)> onMessage;
};

// Drags the files onto the window from a source that proposes to move them (Shift held, as in
// a file manager), and drops them. Returns what the window answered.
Qt::DropAction dropOn(ui::TfrmMainForm& window, const QStringList& files) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& file : files)
        urls << QUrl::fromLocalFile(file);
    data.setUrls(urls);
    const QPoint at = window.rect().center();
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(at, offered, &data, Qt::LeftButton, Qt::ShiftModifier);
    QCoreApplication::sendEvent(window.windowHandle(), &enter);
    QDropEvent drop(at, offered, &data, Qt::LeftButton, Qt::ShiftModifier);
    QCoreApplication::sendEvent(window.windowHandle(), &drop);
    return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
}

bool saveDialogs(ui::ApplicationWindows& windows, const QDir& folder) {
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
    return saved;
}

// Sorted by name, the arrow points up.
bool saveSortedList(ui::TfrmMainForm& main, const QDir& folder) {
    main.ListView1ColumnClick(0);
    const bool saved = save(main, folder, QStringLiteral("main-window-sorted.png"));
    main.RefreshJobList();
    return saved;
}

// Converts the DSS dictation alone: the workspace's file is no DSS recording, so the job fails,
// and the pointer resting on its output cell shows the whole error.
bool saveFailedRow(ui::TfrmMainForm& main, const QDir& folder) {
    ui::JobListView& list = *main.ListView1();
    int row = -1;
    for (int i = 0; i < list.jobCount(); ++i) {
        if (list.topLevelItem(i)->text(0).endsWith(QStringLiteral(".dss")))
            row = i;
    }
    if (row < 0) {
        std::fprintf(stderr, "no DSS job to fail\n");
        return false;
    }
    list.clearSelection();
    list.topLevelItem(row)->setSelected(true);
    main.runCommand(ui::Command::ConvertSelected);
    std::printf("  failed job: %s\n", qPrintable(list.jobError(row)));
    list.clearSelection(); // the selection's colour would hide the error picture
    const QPoint cell = list.visualRect(list.model()->index(row, 2)).center();
    QHelpEvent ask(QEvent::ToolTip, cell, list.viewport()->mapToGlobal(cell));
    QCoreApplication::sendEvent(list.viewport(), &ask);
    QWidget* tip = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->inherits("QTipLabel") && window->isVisible())
            tip = window;
    }
    if (tip == nullptr || !QTest::qWaitForWindowExposed(tip)) {
        std::fprintf(stderr, "the failed job's tool tip was never shown\n");
        return false;
    }
    return saveScreenAround({&main, tip}, folder, QStringLiteral("failed-row-tooltip.png"));
}

// Drops the desktop's files; while the invalid-type message of the one that is no dictation
// is up, the File Transfer window stands over the main window with the last file copied.
bool saveDropBeingCopied(ui::TfrmMainForm& main, GalleryPrompts& prompts, const QDir& desktop,
                         const QDir& folder) {
    QStringList files;
    for (const QString& name : desktop.entryList(QDir::Files, QDir::Name))
        files << desktop.filePath(name);
    bool saved = false;
    prompts.onMessage = [&](const ui::PromptRequest& request) {
        auto* transfer = main.findChild<ui::TfrmPause*>();
        if (!request.text.endsWith(QStringLiteral("is an invalid sound file type.")) ||
            transfer == nullptr || !QTest::qWaitForWindowExposed(transfer))
            return;
        saved = saveScreenAround({&main, transfer}, folder, QStringLiteral("drop-copying.png"));
    };
    const Qt::DropAction answered = dropOn(main, files);
    prompts.onMessage = {};
    const bool kept = std::all_of(files.begin(), files.end(),
                                  [](const QString& file) { return QFileInfo::exists(file); });
    std::printf("  drop answered %s; the dropped files %s\n",
                answered == Qt::CopyAction ? "copy" : "not copy",
                kept ? "stay where they were" : "are gone");
    return saved && answered == Qt::CopyAction && kept;
}

// A first start: no configuration, no input folder. The tips window comes and goes; the list
// and the last status panel say how to get an input folder.
bool saveFirstStart(const QDir& firstStart, const QDir& folder) {
    QDir::setCurrent(firstStart.filePath(QStringLiteral("work")));
    qputenv("IMPORT_DRIVE_ROOT", firstStart.filePath(QStringLiteral("drives")).toLocal8Bit());
    ui::ApplicationWindows windows;
    return save(windows.frmMainForm(), folder, QStringLiteral("first-start.png"));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2 && argc != 4) {
        std::fprintf(stderr,
                     "usage: import_window_gallery OUTPUT_FOLDER [DESKTOP_FOLDER FIRST_START]\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    GalleryPrompts prompts;
    bool saved = true;
    {
        ui::ApplicationWindows windows;
        saved &= saveDialogs(windows, folder);
        if (argc == 4) {
            ui::TfrmMainForm& main = windows.frmMainForm();
            saved &= saveSortedList(main, folder);
            saved &= saveFailedRow(main, folder);
            saved &=
                saveDropBeingCopied(main, prompts, QDir(QString::fromLocal8Bit(argv[2])), folder);
        }
    }
    if (argc == 4)
        saved &= saveFirstStart(QDir(QString::fromLocal8Bit(argv[3])), folder);
    return saved ? 0 : 1;
}
