// TfrmMainForm: the main window with the menus, the toolbar, the job list, the status bar,
// the scheduler timer and the current settings.
#pragma once

#include "ui/ImageList.h"

#include "config/directory_table.h"
#include "config/settings.h"
#include "jobs/job_sort.h"
#include "scheduler/scheduler.h"

#include <QList>
#include <QMainWindow>
#include <QMargins>
#include <QPointer>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

class QAction;
class QDragMoveEvent;
class QDropEvent;
class QWindow;
class QMenu;
class QToolBar;

namespace ui {

class JobListView;
class MainFormSchedulerWindow;
class NoticeBox;
class QtMinuteTimer;
class StatusPanels;
class TfrmGrid;
class TfrmPause;
class TfrmProgress;
class TfrmSettings;
class TfrmTips;

// Commands of the command table. The first group is performed by modules that install their
// handler (installCommand); until then their menu items and buttons stay disabled.
enum class Command {
    ConvertAll,
    ConvertSelected,
    CreateReport,
    Directories,
    Settings,
    ViewErrorLog,
    ClearErrorLog,
    PlayJob,
    Exit,
    Refresh,
    Contents,
    ShowTips,
    About,
};

// The windows the main window works with; all exist before its first showing.
struct CompanionWindows {
    TfrmProgress* progress = nullptr;
    TfrmSettings* settings = nullptr;
    TfrmGrid* grid = nullptr;
    TfrmPause* pause = nullptr;
    TfrmTips* tips = nullptr;
};

class TfrmMainForm : public QMainWindow {
    Q_OBJECT
public:
    // `configPath` is the stored path of the configuration file.
    explicit TfrmMainForm(std::string configPath = ".\\import.ini", QWidget* parent = nullptr);
    ~TfrmMainForm() override;

    void setCompanions(const CompanionWindows& windows) { companions_ = windows; }
    const CompanionWindows& companions() const { return companions_; }

    // Installs the handler of a command and enables its menu items and buttons; an empty
    // handler disables them again.
    void installCommand(Command command, std::function<void()> handler);
    bool isCommandEnabled(Command command) const;
    // Runs a command's handler, showing a failure in a message box.
    void runCommand(Command command);
    // Files dropped on the window go to this handler (local paths), which returns how many it
    // copied; without one, the window takes no drops. A drop is always taken as a copy, and
    // one that copied nothing is ignored, so the source keeps its files. While the window is
    // disabled (a conversion run is active) or an earlier drop is still being handled, a drop
    // is refused with a notice that says why and does not wait for an answer.
    void setDropHandler(std::function<int(const QStringList&)> handler);
    bool isHandlingDrop() const { return handlingDrop_; }
    // The notice shown for a refusal that must not stop the work in progress; null until the
    // first one.
    NoticeBox* noticeBox() const { return notice_.get(); }

    JobListView* ListView1() const { return listView_; }
    StatusPanels* StatusBar1() const { return statusBar_; }
    QToolBar* ToolBar1() const { return toolBar_; }
    QMenu* PopupMenu1() const { return popupMenu_; }
    QTimer* Timer1() { return &timer1_; }
    const ImageList& ImageList1() const { return images_; }
    const std::string& configPath() const { return configPath_; }

    // The current settings (output format and priority are held by the settings dialog's
    // selectors) and the values derived from them.
    shell::Settings settings;
    uint16_t OutputFormatCode = 7;
    bool CancelRequested = false;
    shell::SortDirection sortDirection;

    // The minute scheduler behind Timer1 (MinutesElapsed, MinutesRemaining).
    shell::Scheduler& scheduler() { return *scheduler_; }

    // The output format index confirmed in cboFormat (-1 without a selection), and the
    // priority confirmed in cboPriority.
    int outputFormatIndex() const;
    int priorityIndex() const;

    // Rebuilds the job list, the directory grid and the scan's status texts.
    void RefreshJobList();

    // The settings dialog's OK with its validated values: stores them (a failed write throws
    // shell::ConfigWriteError and nothing is applied) and applies them to the window, the
    // scheduler and the target wave format.
    void ConfirmSettings(const shell::Settings& edited);

    // Another start asked for this window: restore it (also from minimised) and raise it.
    void restoreFromAnotherStart();

public slots:
    void FormShow();
    void FormClose();
    void ListView1ColumnClick(int column);
    void ListView1DblClick();
    void Timer1Timer();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct CommandEntry {
        std::function<void()> handler;
        QList<QAction*> actions;
    };

    void buildCommandTable();
    QAction* makeAction(const char* name, const QString& text, Command command, int image);
    void runInstalled(Command command);
    void stabilize();
    void applyOutputFormat();
    void placeAtStoredGeometry(const shell::Settings& stored);
    QMargins frameMarginsForPlacement() const;
    void showTipsModally();
    void showInputFolderHint(const shell::DirectoryTable& table);
    bool takesFileDrags(const QDropEvent* event) const;
    void offerCopy(QDragMoveEvent* event);
    void refuseDrop(const char* reason);
    void showNotice(const QString& caption, const QString& text);

    std::string configPath_;
    ImageList images_;
    CompanionWindows companions_;
    JobListView* listView_;
    StatusPanels* statusBar_;
    QToolBar* toolBar_ = nullptr;
    QMenu* popupMenu_ = nullptr;
    QTimer timer1_;
    std::unique_ptr<QtMinuteTimer> minuteTimer_;
    std::unique_ptr<MainFormSchedulerWindow> schedulerWindow_;
    std::unique_ptr<shell::Scheduler> scheduler_;
    std::map<Command, CommandEntry> commands_;
    std::function<int(const QStringList&)> dropHandler_;
    std::unique_ptr<NoticeBox> notice_;
    QPointer<QWindow> filteredWindow_;
    bool handlingDrop_ = false;
    bool shown_ = false;
};

} // namespace ui
