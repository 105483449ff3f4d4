// The command table of the main window: menu bar, toolbar and the job list's pop-up menu, each
// built from a table of its items. Every item leads to its command's installed handler.
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

// One item of a menu or of the toolbar; an item without a name is a separator. Toolbar items
// show their text as the button's hint.
struct CommandItem {
    const char* name = nullptr;
    const char* text = nullptr;
    Command command = Command::About;
    int image = 0;
};

struct MenuLayout {
    const char* name;
    const char* title;
    QList<CommandItem> items;
};

const QList<MenuLayout>& menuBarLayout() {
    static const QList<MenuLayout> menus = {
        {"mnuRun",
         "&Run",
         {{"mnuConvertAll", "Convert &All Files", Command::ConvertAll, kImageConvertAll},
          {"mnuConvertSelect", "Convert &Selected Files", Command::ConvertSelected,
           kImageConvertSelected},
          {},
          {"CreateReport1", "Create &Report", Command::CreateReport},
          {},
          {"mnuExit", "E&xit", Command::Exit}}},
        {"mnuTools",
         "&Tools",
         {{"mnuDir", "&Directories", Command::Directories, kImageDirectories},
          {"mnuSettings", "&Settings", Command::Settings, kImageOptions},
          {},
          {"ErrorLog1", "View &Error Log", Command::ViewErrorLog},
          {"ClearErrorLog1", "&Clear Error Log", Command::ClearErrorLog},
          {},
          {"mnuRefresh", "Refres&h", Command::Refresh}}},
        {"mnuHelp",
         "&Help",
         {{"mnuContents", "&Contents", Command::Contents, kImageHelp},
          {},
          {"ShowTips1", "&Show Tips", Command::ShowTips},
          {},
          {"mnuAbout", "&About", Command::About, kImageAbout}}},
    };
    return menus;
}

const QList<CommandItem>& toolBarItems() {
    static const QList<CommandItem> items = {
        {},
        {"tbtnConvertAll", "Import All Files", Command::ConvertAll, kImageConvertAll},
        {"tbtnConvertSelected", "Import Selected Files", Command::ConvertSelected,
         kImageConvertSelected},
        {},
        {"tbtnDirectories", "Directories", Command::Directories, kImageDirectories},
        {"tbtnOptions", "Options", Command::Settings, kImageOptions},
        {},
        {"tbtnHelp", "Help", Command::Contents, kImageHelp},
        {"tbtnAbout", "About", Command::About, kImageAbout},
    };
    return items;
}

const QList<CommandItem>& popupItems() {
    static const QList<CommandItem> items = {
        {"popConvertAll", "Convert &All Files", Command::ConvertAll, kImageConvertAll},
        {"popConvertSelected", "Convert &Selected Files", Command::ConvertSelected,
         kImageConvertSelected},
        {},
        {"CreateReport2", "Create &Report", Command::CreateReport},
        {},
        {"popRefresh", "Refres&h", Command::Refresh},
    };
    return items;
}

} // namespace

QAction* TfrmMainForm::makeAction(const char* name, const QString& text, Command command,
                                  int image) {
    auto* action = new QAction(text, this);
    action->setObjectName(QString::fromLatin1(name));
    if (image > 0)
        action->setIcon(images_.image(image));
    connect(action, &QAction::triggered, this, [this, command] { runCommand(command); });
    commands_[command].actions.append(action);
    return action;
}

void TfrmMainForm::buildCommandTable() {
    auto fill = [this](QWidget* place, const QList<CommandItem>& items, bool hints) {
        for (const CommandItem& item : items) {
            if (item.name == nullptr) {
                auto* separator = new QAction(place);
                separator->setSeparator(true);
                place->addAction(separator);
                continue;
            }
            const QString text = QString::fromLatin1(item.text);
            QAction* action = makeAction(item.name, text, item.command, item.image);
            // The hint is the tool tip only: a status tip would replace the four status panels
            // while the pointer rests on the button.
            if (hints)
                action->setToolTip(text);
            place->addAction(action);
        }
    };

    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    for (const MenuLayout& layout : menuBarLayout()) {
        QMenu* menu = bar->addMenu(QString::fromLatin1(layout.title));
        menu->setObjectName(QString::fromLatin1(layout.name));
        fill(menu, layout.items, false);
    }
    // Every desktop program refreshes its view with F5.
    findChild<QAction*>(QStringLiteral("mnuRefresh"))->setShortcut(QKeySequence::Refresh);

    toolBar_ = addToolBar(QStringLiteral("ToolBar1"));
    toolBar_->setObjectName(QStringLiteral("ToolBar1"));
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    toolBar_->setFixedHeight(kToolBarHeight);
    toolBar_->setIconSize(QSize(ImageList::kSize, ImageList::kSize));
    toolBar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    toolBar_->setContextMenuPolicy(Qt::PreventContextMenu);
    fill(toolBar_, toolBarItems(), true);

    popupMenu_ = new QMenu(this);
    popupMenu_->setObjectName(QStringLiteral("PopupMenu1"));
    fill(popupMenu_, popupItems(), false);
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
