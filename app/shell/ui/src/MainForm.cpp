#include "ui/MainForm.h"

#include "ui/Captions.h"
#include "ui/GridForm.h"
#include "ui/Guard.h"
#include "ui/JobListView.h"
#include "ui/Launcher.h"
#include "ui/NoticeBox.h"
#include "ui/Prompts.h"
#include "ui/SchedulerBridge.h"
#include "ui/SettingsForm.h"
#include "ui/StatusPanels.h"
#include "ui/TipsForm.h"
#include "ui/WindowPlacement.h"

#include "config/config_store.h"
#include "jobs/input_folders.h"
#include "jobs/job_scan.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QLayout>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <QWindow>

#ifndef QUORVEL_VERSION
#define QUORVEL_VERSION "0.1"
#endif

namespace ui {
namespace {

constexpr int kDesignClientWidth = 495;
constexpr int kDesignClientHeight = 308;
constexpr int kCountdownPanel = 1;
constexpr int kFormatPanel = 2;
constexpr int kLastErrorPanel = 3;
// Stored beside the geometry on close: whether the window was maximized.
constexpr const char* kMaximizedKey = "Maximized";

QList<QRect> availableScreenAreas() {
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas.append(screen->availableGeometry());
    return areas;
}

QString aboutText() {
    return QStringLiteral("Quorvel Import Utility\nVersion %1\n"
                          "Imports dictation files into the transcription workflow.")
        .arg(QStringLiteral(QUORVEL_VERSION));
}

} // namespace

TfrmMainForm::TfrmMainForm(std::string configPath, QWidget* parent)
    : QMainWindow(parent)
    , configPath_(std::move(configPath))
    , listView_(new JobListView(images_))
    , statusBar_(new StatusPanels)
    , minuteTimer_(std::make_unique<QtMinuteTimer>(timer1_))
    , schedulerWindow_(std::make_unique<MainFormSchedulerWindow>(*this))
    , scheduler_(std::make_unique<shell::Scheduler>(settings, *minuteTimer_, *schedulerWindow_)) {
    setObjectName(QStringLiteral("frmMainForm"));
    setWindowTitle(kApplicationTitle);
    setWindowIcon(images_.image(kImageConvertAll));
    resize(kDesignClientWidth, kDesignClientHeight);
    setAcceptDrops(true);

    setCentralWidget(listView_);
    setStatusBar(statusBar_);
    buildCommandTable();

    connect(listView_->header(), &QHeaderView::sectionClicked, this,
            [this](int column) { guarded(this, [&] { ListView1ColumnClick(column); }); });
    connect(listView_, &QTreeWidget::itemDoubleClicked, this,
            [this] { guarded(this, [this] { ListView1DblClick(); }); });

    timer1_.setObjectName(QStringLiteral("Timer1"));
    timer1_.setInterval(shell::Scheduler::kTickIntervalMs);
    connect(&timer1_, &QTimer::timeout, this, [this] { guarded(this, [this] { Timer1Timer(); }); });

    installCommand(Command::Exit, [this] { close(); });
    installCommand(Command::Refresh, [this] { RefreshJobList(); });
    installCommand(Command::Contents, [this] { openHelp(this); });
    installCommand(Command::ShowTips, [this] { showTipsModally(); });
    installCommand(Command::About, [] {
        showMessage(nullptr, QStringLiteral("About Quorvel Import Utility"), aboutText(),
                    PromptIcon::Information);
    });
}

TfrmMainForm::~TfrmMainForm() = default;

// The confirmed selections, which the selectors show whenever the settings dialog is closed;
// while it is open they may hold a choice not yet confirmed, which no run may use.
int TfrmMainForm::outputFormatIndex() const {
    return settings.VoxFormat;
}

int TfrmMainForm::priorityIndex() const {
    return settings.Priority;
}

void TfrmMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (QWindow* window = windowHandle(); window != filteredWindow_) {
        window->installEventFilter(this);
        filteredWindow_ = window;
    }
    if (shown_ || event->spontaneous())
        return;
    shown_ = true;
    guarded(this, [this] { FormShow(); });
}

void TfrmMainForm::FormShow() {
    const shell::ConfigStore store(configPath_);
    store.EnsureFirstRun();
    settings = store.LoadSettings();
    if (companions_.settings != nullptr) {
        TfrmSettings::selectIndex(companions_.settings->cboFormat(), settings.VoxFormat);
        TfrmSettings::selectIndex(companions_.settings->cboPriority(), settings.Priority);
    }
    placeAtStoredGeometry(settings);
    applyOutputFormat();
    scheduler_->Start();
    if (settings.ShowTips)
        showTipsModally();
    RefreshJobList();
}

void TfrmMainForm::applyOutputFormat() {
    const int index = outputFormatIndex();
    OutputFormatCode = static_cast<uint16_t>(shell::OutputFormatCode(index));
    statusBar_->setPanelText(kFormatPanel, QString::fromStdString(shell::FormatStatusText(index)));
}

// The client area is stored and restored alike, so the window opens exactly where it was
// closed (storing the frame and restoring it as the client area moved it at every start). A
// window closed maximized opens maximized, over its stored normal place.
void TfrmMainForm::placeAtStoredGeometry(const shell::Settings& stored) {
    // The least size follows the panels' texts; placed at a smaller one, the window would
    // grow beyond the place chosen for it.
    layout()->activate();
    const QRect saved(QPoint(stored.Left, stored.Top),
                      QSize(stored.Width, stored.Height).expandedTo(minimumSize()));
    setGeometry(placeOnScreens(saved, availableScreenAreas(), frameMarginsForPlacement()));
    const shell::ConfigStore store(configPath_);
    if (shell::ParseStoredBoolean(store.ReadString(kMaximizedKey, ""), false))
        setWindowState(windowState() | Qt::WindowMaximized);
}

// The window system tells the frame once it has framed the window; before the first showing
// the style's title bar and border stand in for it.
QMargins TfrmMainForm::frameMarginsForPlacement() const {
    const QWindow* window = windowHandle();
    const QMargins known = window != nullptr ? window->frameMargins() : QMargins();
    if (!known.isNull())
        return known;
    const int border = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, this);
    const int title = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
    return {border, title + border, border, border};
}

void TfrmMainForm::ConfirmSettings(const shell::Settings& edited) {
    shell::ConfigStore(configPath_).SaveSettings(edited);
    shell::CopyKeysOf(shell::SettingWriter::SettingsDialog, edited, settings);
    applyOutputFormat();
    scheduler_->SettingsConfirmed();
}

void TfrmMainForm::closeEvent(QCloseEvent* event) {
    // A geometry that cannot be stored is reported, but never keeps the program from closing.
    guarded(this, [this] { FormClose(); });
    event->accept();
}

// A maximized window stores its normal place and that it was maximized: stored as the
// client area of the whole screen, it reopened unmaximized with its frame beyond the screen.
void TfrmMainForm::FormClose() {
    const bool normal =
        (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)) ==
        Qt::WindowNoState;
    const QRect client = normal ? geometry() : normalGeometry();
    const shell::ConfigStore store(configPath_);
    store.SaveGeometry(client.height(), client.width(), client.y(), client.x());
    store.WriteBoolean(kMaximizedKey, isMaximized());
}

void TfrmMainForm::RefreshJobList() {
    const shell::ScanResult result = shell::ScanJobs(configPath_, settings);
    statusBar_->setPanelText(kLastErrorPanel, QString::fromStdString(result.status.panel3));
    listView_->setUpdatesEnabled(false);
    listView_->clearJobs();
    if (result.status.panel1)
        statusBar_->setPanelText(kCountdownPanel, QString::fromStdString(*result.status.panel1));
    if (companions_.grid != nullptr)
        companions_.grid->loadScannedTable(result.table);
    listView_->appendJobs(result.rows);
    listView_->setUpdatesEnabled(true);
    statusBar_->setPanelText(0, QString::fromStdString(result.status.panel0));
    showInputFolderHint(result.table);
}

// Without it, a first start on a machine without the example folders shows an empty list and
// leaves the user guessing. The list says it too, where there is room for the whole text.
void TfrmMainForm::showInputFolderHint(const shell::DirectoryTable& table) {
    const QString hint = QString::fromStdString(shell::NoInputFolderHint(table));
    if (!hint.isEmpty())
        statusBar_->setPanelText(kLastErrorPanel, hint);
    listView_->setEmptyListText(hint);
}

void TfrmMainForm::restoreFromAnotherStart() {
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

void TfrmMainForm::showTipsModally() {
    // Each showing has a window of its own, owned by the main window.
    TfrmTips tips(configPath_, this);
    prompts().execDialog(tips);
}

void TfrmMainForm::ListView1DblClick() {
    runInstalled(Command::PlayJob);
}

void TfrmMainForm::ListView1ColumnClick(int column) {
    const bool ascending = sortDirection.Flip();
    listView_->sortByColumn(column, ascending);
}

void TfrmMainForm::Timer1Timer() {
    scheduler_->Tick();
}

} // namespace ui
