// The command table of the main window: menu bar, toolbar and the job list's pop-up menu.
#include "ui/MainForm.h"

#include "ui/Guard.h"
#include "ui/JobListView.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace ui {
namespace {

constexpr int kToolBarHeight = 29;

// A button without a name is a separator.
struct ToolButton {
    const char* name = nullptr;
    const char* hint = nullptr;
    Command command = Command::About;
    void (TfrmMainForm::*slot)() = nullptr;
    int image = 0;
};

} // namespace

QAction* TfrmMainForm::makeAction(const char* name, const QString& text, Command command,
                                  void (TfrmMainForm::*slot)(), int image) {
    auto* action = new QAction(text, this);
    action->setObjectName(QString::fromLatin1(name));
    if (image > 0)
        action->setIcon(images_.image(image));
    connect(action, &QAction::triggered, this,
            [this, slot] { guarded(this, [&] { (this->*slot)(); }); });
    commands_[command].actions.append(action);
    return action;
}

void TfrmMainForm::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));

    QMenu* run = bar->addMenu(QStringLiteral("&Run"));
    run->setObjectName(QStringLiteral("mnuRun"));
    run->addAction(makeAction("mnuConvertAll", QStringLiteral("Convert &All Files"),
                              Command::ConvertAll, &TfrmMainForm::mnuConvertAllClick,
                              kImageConvertAll));
    run->addAction(makeAction("mnuConvertSelect", QStringLiteral("Convert &Selected Files"),
                              Command::ConvertSelected, &TfrmMainForm::mnuConvertSelectClick,
                              kImageConvertSelected));
    run->addSeparator();
    run->addAction(makeAction("CreateReport1", QStringLiteral("Create &Report"),
                              Command::CreateReport, &TfrmMainForm::CreateReport1Click));
    run->addSeparator();
    run->addAction(
        makeAction("mnuExit", QStringLiteral("E&xit"), Command::Exit, &TfrmMainForm::mnuExitClick));

    QMenu* tools = bar->addMenu(QStringLiteral("&Tools"));
    tools->setObjectName(QStringLiteral("mnuTools"));
    tools->addAction(makeAction("mnuDir", QStringLiteral("&Directories"), Command::Directories,
                                &TfrmMainForm::mnuDirClick, kImageDirectories));
    tools->addAction(makeAction("mnuSettings", QStringLiteral("&Settings"), Command::Settings,
                                &TfrmMainForm::mnuSettingsClick, kImageOptions));
    tools->addSeparator();
    tools->addAction(makeAction("ErrorLog1", QStringLiteral("View &Error Log"),
                                Command::ViewErrorLog, &TfrmMainForm::ErrorLog1Click));
    tools->addAction(makeAction("ClearErrorLog1", QStringLiteral("&Clear Error Log"),
                                Command::ClearErrorLog, &TfrmMainForm::ClearErrorLog1Click));
    tools->addSeparator();
    tools->addAction(makeAction("mnuRefresh", QStringLiteral("Refres&h"), Command::Refresh,
                                &TfrmMainForm::mnuRefreshClick));

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    help->addAction(makeAction("mnuContents", QStringLiteral("&Contents"), Command::Contents,
                               &TfrmMainForm::mnuContentsClick, kImageHelp));
    help->addSeparator();
    help->addAction(makeAction("ShowTips1", QStringLiteral("&Show Tips"), Command::ShowTips,
                               &TfrmMainForm::ShowTips1Click));
    help->addSeparator();
    help->addAction(makeAction("mnuAbout", QStringLiteral("&About"), Command::About,
                               &TfrmMainForm::mnuAboutClick, kImageAbout));
}

void TfrmMainForm::buildToolBar() {
    static const ToolButton buttons[] = {
        {},
        {"tbtnConvertAll", "Import All Files", Command::ConvertAll,
         &TfrmMainForm::mnuConvertAllClick, kImageConvertAll},
        {"tbtnConvertSelected", "Import Selected Files", Command::ConvertSelected,
         &TfrmMainForm::mnuConvertSelectClick, kImageConvertSelected},
        {},
        {"tbtnDirectories", "Directories", Command::Directories, &TfrmMainForm::mnuDirClick,
         kImageDirectories},
        {"tbtnOptions", "Options", Command::Settings, &TfrmMainForm::mnuSettingsClick,
         kImageOptions},
        {},
        {"tbtnHelp", "Help", Command::Contents, &TfrmMainForm::mnuContentsClick, kImageHelp},
        {"tbtnAbout", "About", Command::About, &TfrmMainForm::mnuAboutClick, kImageAbout},
    };

    toolBar_ = addToolBar(QStringLiteral("ToolBar1"));
    toolBar_->setObjectName(QStringLiteral("ToolBar1"));
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    toolBar_->setFixedHeight(kToolBarHeight);
    toolBar_->setIconSize(QSize(ImageList::kSize, ImageList::kSize));
    toolBar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    toolBar_->setContextMenuPolicy(Qt::PreventContextMenu);
    for (const ToolButton& button : buttons) {
        if (button.name == nullptr) {
            toolBar_->addSeparator();
            continue;
        }
        const QString hint = QString::fromLatin1(button.hint);
        QAction* action = makeAction(button.name, hint, button.command, button.slot, button.image);
        action->setToolTip(hint);
        action->setStatusTip(hint);
        toolBar_->addAction(action);
    }
}

void TfrmMainForm::buildPopupMenu() {
    popupMenu_ = new QMenu(this);
    popupMenu_->setObjectName(QStringLiteral("PopupMenu1"));
    popupMenu_->addAction(makeAction("popConvertAll", QStringLiteral("Convert &All Files"),
                                     Command::ConvertAll, &TfrmMainForm::mnuConvertAllClick,
                                     kImageConvertAll));
    popupMenu_->addAction(makeAction(
        "popConvertSelected", QStringLiteral("Convert &Selected Files"), Command::ConvertSelected,
        &TfrmMainForm::popConvertSelectedClick, kImageConvertSelected));
    popupMenu_->addSeparator();
    popupMenu_->addAction(makeAction("CreateReport2", QStringLiteral("Create &Report"),
                                     Command::CreateReport, &TfrmMainForm::CreateReport2Click));
    popupMenu_->addSeparator();
    popupMenu_->addAction(makeAction("popRefresh", QStringLiteral("Refres&h"), Command::Refresh,
                                     &TfrmMainForm::popRefreshClick));
    connect(listView_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        popupMenu_->popup(listView_->viewport()->mapToGlobal(at));
    });
}

void TfrmMainForm::installCommand(Command command, std::function<void()> handler) {
    commands_[command].handler = std::move(handler);
    stabilize();
}

bool TfrmMainForm::isCommandEnabled(Command command) const {
    const auto found = commands_.find(command);
    return found != commands_.end() && static_cast<bool>(found->second.handler);
}

void TfrmMainForm::runCommand(Command command) {
    guarded(this, [&] { runInstalled(command); });
}

void TfrmMainForm::runInstalled(Command command) {
    const auto found = commands_.find(command);
    if (found == commands_.end() || !found->second.handler)
        return;
    // A copy: the handler may install another one while it runs.
    const std::function<void()> handler = found->second.handler;
    handler();
}

// The one place that decides which commands can be chosen.
void TfrmMainForm::stabilize() {
    for (auto& [command, entry] : commands_) {
        const bool enabled = static_cast<bool>(entry.handler);
        for (QAction* action : entry.actions)
            action->setEnabled(enabled);
    }
}

} // namespace ui
