#include "ui/MainForm.h"

#include "ui/Captions.h"
#include "ui/GridForm.h"
#include "ui/Guard.h"
#include "ui/JobListView.h"
#include "ui/Launcher.h"
#include "ui/Prompts.h"
#include "ui/SettingsForm.h"
#include "ui/StatusPanels.h"
#include "ui/TipsForm.h"

#include "config/config_store.h"
#include "jobs/job_scan.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QShowEvent>
#include <QUrl>

#ifndef QUORVEL_VERSION
#define QUORVEL_VERSION "0.1"
#endif

namespace ui {
namespace {

constexpr int kDesignClientWidth = 495;
constexpr int kDesignClientHeight = 308;

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
    , statusBar_(new StatusPanels) {
    setObjectName(QStringLiteral("frmMainForm"));
    setWindowTitle(kApplicationTitle);
    setWindowIcon(images_.image(kImageConvertAll));
    resize(kDesignClientWidth, kDesignClientHeight);
    setAcceptDrops(true);

    setCentralWidget(listView_);
    setStatusBar(statusBar_);
    buildMenus();
    buildToolBar();
    buildPopupMenu();

    connect(listView_->header(), &QHeaderView::sectionClicked, this,
            [this](int column) { guarded(this, [&] { ListView1ColumnClick(column); }); });
    connect(listView_, &QTreeWidget::itemDoubleClicked, this,
            [this] { guarded(this, [this] { ListView1DblClick(); }); });

    timer1_.setObjectName(QStringLiteral("Timer1"));
    timer1_.setInterval(kTimerIntervalMs);
    connect(&timer1_, &QTimer::timeout, this, [this] { guarded(this, [this] { Timer1Timer(); }); });

    installCommand(Command::Exit, [this] { close(); });
    installCommand(Command::Refresh, [this] { RefreshJobList(); });
    installCommand(Command::Contents, [] { openExternally(helpFilePath()); });
    installCommand(Command::ShowTips, [this] { showTipsModally(); });
    installCommand(Command::About, [] {
        showMessage(nullptr, QStringLiteral("About Quorvel Import Utility"), aboutText(),
                    PromptIcon::Information);
    });
}

TfrmMainForm::~TfrmMainForm() = default;

int TfrmMainForm::outputFormatIndex() const {
    return companions_.settings != nullptr ? companions_.settings->cboFormat()->currentIndex()
                                           : settings.VoxFormat;
}

int TfrmMainForm::priorityIndex() const {
    return companions_.settings != nullptr ? companions_.settings->cboPriority()->currentIndex()
                                           : settings.Priority;
}

void TfrmMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
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
    resize(settings.Width, settings.Height);
    move(settings.Left, settings.Top);
    applyOutputFormat();
    if (settings.EnableSched)
        timer1_.start();
    else
        timer1_.stop();
    if (settings.ShowTips)
        showTipsModally();
    TargetWaveFormat = convert::WaveFormat::pcm16Mono(convert::kVoxIntermediateRate);
    RefreshJobList();
}

void TfrmMainForm::applyOutputFormat() {
    const int index = outputFormatIndex();
    OutputFormatCode = static_cast<uint16_t>(shell::OutputFormatCode(index));
    statusBar_->setPanelText(2, QString::fromStdString(shell::FormatStatusText(index)));
}

void TfrmMainForm::closeEvent(QCloseEvent* event) {
    // A geometry that cannot be stored is reported, but never keeps the program from closing.
    guarded(this, [this] { FormClose(); });
    event->accept();
}

void TfrmMainForm::FormClose() {
    shell::ConfigStore(configPath_).SaveGeometry(height(), width(), y(), x());
}

void TfrmMainForm::RefreshJobList() {
    const shell::ScanResult result = shell::ScanJobs(configPath_, settings);
    statusBar_->setPanelText(3, QString::fromStdString(result.status.panel3));
    listView_->setUpdatesEnabled(false);
    listView_->clearJobs();
    if (result.status.panel1)
        statusBar_->setPanelText(1, QString::fromStdString(*result.status.panel1));
    if (companions_.grid != nullptr)
        companions_.grid->loadScannedTable(result.table);
    listView_->appendJobs(result.rows);
    listView_->setUpdatesEnabled(true);
    statusBar_->setPanelText(0, QString::fromStdString(result.status.panel0));
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

void TfrmMainForm::setDropHandler(std::function<void(const QStringList&)> handler) {
    dropHandler_ = std::move(handler);
}

void TfrmMainForm::dragEnterEvent(QDragEnterEvent* event) {
    if (dropHandler_ && event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TfrmMainForm::dropEvent(QDropEvent* event) {
    if (!dropHandler_)
        return;
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
    }
    event->acceptProposedAction();
    guarded(this, [&] { dropHandler_(paths); });
}

// Handlers of commands whose work is done by other modules: they run what those modules
// installed, and their items stay disabled until then.
void TfrmMainForm::mnuConvertAllClick() {
    runInstalled(Command::ConvertAll);
}
void TfrmMainForm::mnuConvertSelectClick() {
    runInstalled(Command::ConvertSelected);
}
void TfrmMainForm::popConvertSelectedClick() {
    mnuConvertSelectClick();
}
// The conversion report comes with the error log and report module.
void TfrmMainForm::CreateReport1Click() {
    runInstalled(Command::CreateReport);
}
void TfrmMainForm::CreateReport2Click() {
    CreateReport1Click();
}
void TfrmMainForm::mnuDirClick() {
    runInstalled(Command::Directories);
}
void TfrmMainForm::mnuSettingsClick() {
    runInstalled(Command::Settings);
}
// Viewing and clearing the error log come with the error log and report module.
void TfrmMainForm::ErrorLog1Click() {
    runInstalled(Command::ViewErrorLog);
}
void TfrmMainForm::ClearErrorLog1Click() {
    runInstalled(Command::ClearErrorLog);
}
void TfrmMainForm::ListView1DblClick() {
    runInstalled(Command::PlayJob);
}

void TfrmMainForm::mnuExitClick() {
    runInstalled(Command::Exit);
}
void TfrmMainForm::mnuRefreshClick() {
    runInstalled(Command::Refresh);
}
void TfrmMainForm::popRefreshClick() {
    mnuRefreshClick();
}
void TfrmMainForm::mnuContentsClick() {
    runInstalled(Command::Contents);
}
void TfrmMainForm::ShowTips1Click() {
    runInstalled(Command::ShowTips);
}
void TfrmMainForm::mnuAboutClick() {
    runInstalled(Command::About);
}

void TfrmMainForm::ListView1ColumnClick(int column) {
    const bool ascending = sortDirection.Flip();
    listView_->sortByColumn(column, ascending);
}

void TfrmMainForm::Timer1Timer() {
    if (!settings.EnableSched) {
        statusBar_->setPanelText(1, QString());
        MinutesElapsed = 0;
        return;
    }
    ++MinutesElapsed;
    MinutesRemaining = settings.ConvertInterval - MinutesElapsed;
    statusBar_->setPanelText(1,
                             QString::fromStdString(shell::NextConversionText(MinutesRemaining)));
    if (MinutesElapsed >= settings.ConvertInterval && MinutesElapsed > 0) {
        MinutesElapsed = 0;
        if (settings.ConvertInterval > 0) {
            RefreshJobList();
            runInstalled(Command::ConvertAll);
        }
    }
}

} // namespace ui
