#include "call_plugin.h"

#include "library_state.h"
#include "plugin_library.h"

#include "common/dialog_owner.h"
#include "common/message_sink.h"
#include "textpack/string_ids.h"

#include <cstdio>
#include <optional>

namespace quiesc {
namespace {

// Expands a resource template with one string argument (a table name, at most 1023
// characters); reportText then cuts the message to the last-error text's size.
bool reportExpanded(unsigned id, const char* argument) {
    char expanded[sizeof FormatEntry::libraryName + common::messageBufferSize];
    std::snprintf(expanded, sizeof expanded, common::loadText(id), argument);
    return common::reportText(expanded);
}

// The chosen row with its library loaded and its entry point resolved, for one call.
class PluginBinding {
public:
    PluginBinding(FormatTable& table, const char* fileName)
        : row_(chooseRow(table, fileName)) {
        if (row_ == nullptr) {
            common::reportWithName(fileName, common::loadText(TEXT_ID_NO_PLUGIN));
            return;
        }
        library_.emplace(row_->libraryName);
        if (!library_->isLoaded()) {
            reportExpanded(TEXT_ID_PLUGIN_NOT_LOADED, row_->libraryName);
            return;
        }
        entry_ = library_->symbol(row_->entryName);
        if (entry_ == nullptr) {
            reportExpanded(TEXT_ID_NO_ENTRY_POINT, row_->formatName);
            library_.reset();
        }
    }

    bool ready() const { return entry_ != nullptr; }
    void* entry() const { return entry_; }

    // The record to pass, filled as every call requires; formatIndex and rateIndex stay.
    PluginOptions& prepareOptions(OptionsSource source, PluginOptions& fresh) {
        PluginOptions& options = source == OptionsSource::TableRow ? row_->options : fresh;
        options.errorText = lastErrorText;
        options.ownerWindow = common::dialogOwner();
        options.useHeaderFormat = source == OptionsSource::FreshRecord ? 1 : 0;
        return options;
    }

private:
    FormatEntry* row_;
    std::optional<PluginLibrary> library_; // unloaded when the binding goes, after the call
    void* entry_ = nullptr;
};

} // namespace

bool callOpenPlugin(const char* fileName, SoundHeader* header, int16_t** body,
                    OptionsSource source) {
    PluginBinding binding(openTable(), fileName);
    if (!binding.ready()) {
        return false;
    }
    PluginOptions fresh{};
    PluginOptions& options = binding.prepareOptions(source, fresh);
    const auto entry = reinterpret_cast<PluginOpenEntry>(binding.entry());
    return entry(fileName, header, body, &options) != 0;
}

bool callSavePlugin(const char* fileName, SoundHeader* header, const int16_t* body,
                    OptionsSource source) {
    PluginBinding binding(saveTable(), fileName);
    if (!binding.ready()) {
        return false;
    }
    PluginOptions fresh{};
    PluginOptions& options = binding.prepareOptions(source, fresh);
    const auto entry = reinterpret_cast<PluginSaveEntry>(binding.entry());
    return entry(fileName, header, body, &options) != 0;
}

} // namespace quiesc
