#include "ui/PlayJob.h"

#include "ui/JobListView.h"
#include "ui/Launcher.h"
#include "ui/LogAndReport.h"
#include "ui/MainForm.h"

#include <memory>
#include <optional>

namespace ui {

void installPlayJobCommand(TfrmMainForm& form, convert::ProgramStarter starter) {
    auto boxes = std::make_shared<PromptMessageBoxes>(&form);
    auto player = std::make_shared<convert::JobPlayer>(
        *boxes, [](const std::string& nativePath) { return openExternally(nativePath); },
        std::move(starter));
    TfrmMainForm* window = &form;
    form.installCommand(Command::PlayJob, [boxes, player, window] {
        const JobListView& list = *window->ListView1();
        const auto selected = list.selectedJobIndexes();
        std::optional<shell::JobRow> first;
        if (!selected.empty())
            first = list.jobRow(selected.front());
        player->ListView1DblClick(first ? &*first : nullptr);
    });
}

} // namespace ui
