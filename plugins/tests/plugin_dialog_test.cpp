// The dialogs both plug-ins show, offscreen and answered through their real widgets: the save
// dialog that is cancelled and the about dialog. Run for both plug-ins.
#include "dialog_driver.h"
#include "plugin_test_support.h"
#include "plugins_under_test.h"

#include "platform_test/folder_listing.h"
#include "platform_test/test_folder.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace {

using plugintest::Bytes;
using plugintest::PluginUnderTest;

class PluginDialog : public testing::TestWithParam<PluginUnderTest> {
protected:
    // Saves, pressing `button` in the options dialog; the name of the dialog shown, if any.
    QString saveAnswering(const std::string& name, int button, SoundHeader& header, bool& saved) {
        QString shown;
        dialogdriver::answerNextModal([&shown, button](QWidget* modal) {
            shown = modal->objectName();
            dialogdriver::press(modal, button);
        });
        const std::vector<int16_t> samples = plugintest::testSignal(50);
        header = {23, 8000, 50, 4};
        saved = GetParam().save(name.c_str(), &header, samples.data(), &options);
        return shown;
    }

    platform_test::TestFolder dir;
    char errorText[512] = "";
    PluginOptions options = plugintest::dialogOptions(errorText);
};

TEST_P(PluginDialog, CancelledSaveNeitherCreatesNorChangesTheFile) {
    SoundHeader header{};
    bool saved = true;
    const std::string fresh = dir.file(std::string("fresh") + GetParam().extension);
    EXPECT_EQ(saveAnswering(fresh, 2, header, saved), GetParam().optionsTemplate);
    EXPECT_FALSE(saved);
    EXPECT_FALSE(plugintest::fileExists(fresh));

    const std::string existing = dir.file(std::string("existing") + GetParam().extension);
    plugintest::writeBytes(existing, {9, 8, 7});
    EXPECT_EQ(saveAnswering(existing, 2, header, saved), GetParam().optionsTemplate);
    EXPECT_FALSE(saved);
    EXPECT_EQ(plugintest::readBytes(existing), (Bytes{9, 8, 7}));
    EXPECT_EQ(header.formatTag, 23);
    EXPECT_EQ(header.bitsPerSample, 4);
    EXPECT_STREQ(errorText, "") << "a cancelled dialog reports nothing";
    EXPECT_EQ(platform_test::folderEntries(dir.path()).size(), 1u);
}

TEST_P(PluginDialog, AboutClosesWithTheButtonsCommand) {
    QString shownName;
    dialogdriver::answerNextModal([&shownName](QWidget* modal) {
        shownName = modal->objectName();
        dialogdriver::press(modal, 1);
    });
    EXPECT_EQ(GetParam().about(), 1);
    EXPECT_EQ(shownName, GetParam().aboutTemplate);
    dialogdriver::answerNextModal([](QWidget* modal) { modal->close(); });
    EXPECT_EQ(GetParam().about(), 2) << "the close box counts as Cancel";
}

INSTANTIATE_TEST_SUITE_P(BothPlugins, PluginDialog,
                         testing::ValuesIn(plugintest::pluginsUnderTest()));

} // namespace
