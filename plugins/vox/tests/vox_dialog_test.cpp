// The options dialog "VOXOPTIONS" and the about dialog, shown offscreen and answered through
// their real widgets.
#include "dialog_driver.h"
#include "library_loader.h"
#include "plugin_test_support.h"
#include "vox/vox_plugin.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QMessageBox>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using plugintest::Bytes;

struct Seen {
    bool shown = false;
    QString dialogName;
    QStringList formats;
    QStringList rates;
    int formatShown = -1;
    int rateShown = -1;
    bool rateEnabled = true;
};

QStringList entriesOf(QComboBox* box) {
    QStringList entries;
    for (int i = 0; box && i < box->count(); ++i) {
        entries << box->itemText(i);
    }
    return entries;
}

// Records the dialog, picks `format` and `rate` (when >= 0) and presses `button`.
void answerOptions(Seen& seen, int format, int rate, int button) {
    dialogdriver::answerNextModal([&seen, format, rate, button](QWidget* modal) {
        QComboBox* formats = dialogdriver::comboOf(modal, 100);
        QComboBox* rates = dialogdriver::comboOf(modal, 101);
        seen.shown = true;
        seen.dialogName = modal->objectName();
        seen.formats = entriesOf(formats);
        seen.rates = entriesOf(rates);
        seen.formatShown = formats ? formats->currentIndex() : -1;
        seen.rateShown = rates ? rates->currentIndex() : -1;
        seen.rateEnabled = rates && rates->isEnabled();
        if (formats && format >= 0) {
            formats->setCurrentIndex(format);
        }
        if (rates && rate >= 0) {
            rates->setCurrentIndex(rate);
        }
        dialogdriver::press(modal, button);
    });
}

const QStringList formatTexts = {"u-Law", "A-Law", "Dialogic ADPCM", "Windows PCM"};
const QStringList rateTexts = {"6000 Hz", "6053 Hz", "8000 Hz", "8117 Hz"};

struct VoxDialog : testing::Test {
    platform_test::TestFolder dir;
    char errorText[512] = "";
};

TEST_F(VoxDialog, OpenModeFillsBothListsAndStoresTheChoiceBack) {
    const std::string name = dir.file("in.vox");
    plugintest::writeBytes(name, plugintest::byteSweep(100));
    PluginOptions options = plugintest::dialogOptions(errorText, 1, 3);
    Seen seen;
    answerOptions(seen, 2, 0, 1);
    SoundHeader header{7, 8000, 0, 8};
    int16_t* body = nullptr;
    ASSERT_TRUE(vox::openVox(name.c_str(), &header, &body, &options)) << errorText;
    EXPECT_EQ(seen.dialogName, "VOXOPTIONS");
    EXPECT_EQ(seen.formats, formatTexts);
    EXPECT_EQ(seen.rates, rateTexts);
    EXPECT_EQ(seen.formatShown, 1);
    EXPECT_EQ(seen.rateShown, 3);
    EXPECT_TRUE(seen.rateEnabled);
    EXPECT_EQ(options.formatIndex, 2);
    EXPECT_EQ(options.rateIndex, 0);
    EXPECT_EQ(header.formatTag, 23);
    EXPECT_EQ(header.sampleRate, 6000u);
    EXPECT_EQ(header.sampleCount, 200u);
    std::free(body);
}

TEST_F(VoxDialog, OutOfRangePositionsStartOnULawAnd8000Hz) {
    const std::string name = dir.file("in.vox");
    plugintest::writeBytes(name, {1, 2});
    PluginOptions options = plugintest::dialogOptions(errorText, 9, 7);
    Seen seen;
    answerOptions(seen, -1, -1, 1);
    SoundHeader header{};
    int16_t* body = nullptr;
    ASSERT_TRUE(vox::openVox(name.c_str(), &header, &body, &options)) << errorText;
    EXPECT_EQ(seen.formatShown, 0);
    EXPECT_EQ(seen.rateShown, 2);
    EXPECT_EQ(options.formatIndex, 0);
    EXPECT_EQ(options.rateIndex, 2);
    EXPECT_EQ(header.formatTag, 7);
    EXPECT_EQ(header.sampleRate, 8000u);
    std::free(body);
}

TEST_F(VoxDialog, CancelledOpenChangesNothing) {
    const std::string name = dir.file("in.vox");
    plugintest::writeBytes(name, {1, 2});
    PluginOptions options = plugintest::dialogOptions(errorText, 1, 1);
    Seen seen;
    answerOptions(seen, 3, 3, 2);
    SoundHeader header{6, 1234, 99, 12};
    int16_t* body = nullptr;
    EXPECT_FALSE(vox::openVox(name.c_str(), &header, &body, &options));
    EXPECT_TRUE(seen.shown);
    EXPECT_EQ(options.formatIndex, 1);
    EXPECT_EQ(options.rateIndex, 1);
    EXPECT_EQ(header.formatTag, 6);
    EXPECT_EQ(header.sampleRate, 1234u);
    EXPECT_EQ(header.sampleCount, 99u);
    EXPECT_STREQ(errorText, "") << "a cancelled dialog reports nothing";
}

TEST_F(VoxDialog, NoDialogWhenTheFileDoesNotOpen) {
    const std::string name = dir.file("absent.vox");
    PluginOptions options = plugintest::dialogOptions(errorText);
    Seen seen;
    answerOptions(seen, -1, -1, 2);
    SoundHeader header{};
    int16_t* body = nullptr;
    EXPECT_FALSE(vox::openVox(name.c_str(), &header, &body, &options));
    // A dialog would have run inside the call; none did, so none will answer.
    EXPECT_FALSE(seen.shown);
    dialogdriver::cancelPendingAnswers();
}

TEST_F(VoxDialog, SaveModeOffersNoRateAndPreselectsTheHeadersTag) {
    const std::string name = dir.file("out.vox");
    PluginOptions options = plugintest::dialogOptions(errorText);
    Seen seen;
    answerOptions(seen, 3, -1, 1);
    const std::vector<int16_t> samples = {0, 256, -256};
    SoundHeader header{6, 8000, 3, 8};
    ASSERT_TRUE(vox::saveVox(name.c_str(), &header, samples.data(), &options)) << errorText;
    EXPECT_EQ(seen.formats, formatTexts);
    EXPECT_EQ(seen.formatShown, 1) << "A-Law";
    EXPECT_EQ(seen.rates, QStringList{QString::fromStdString(plugintest::text(102))});
    EXPECT_EQ(seen.rateShown, 0);
    EXPECT_FALSE(seen.rateEnabled);
    EXPECT_EQ(header.formatTag, 1) << "Windows PCM was chosen";
    EXPECT_EQ(header.bitsPerSample, 8);
    EXPECT_EQ(plugintest::readBytes(name), (Bytes{128, 129, 127}));
    EXPECT_EQ(options.formatIndex, 3);
    EXPECT_EQ(options.rateIndex, 0);
}

TEST_F(VoxDialog, SaveDialogStartsOnULawForAnUnknownTag) {
    const std::string name = dir.file("out.vox");
    PluginOptions options = plugintest::dialogOptions(errorText);
    Seen seen;
    answerOptions(seen, -1, -1, 1);
    const std::vector<int16_t> samples = {0};
    SoundHeader header{99, 8000, 1, 8};
    ASSERT_TRUE(vox::saveVox(name.c_str(), &header, samples.data(), &options)) << errorText;
    EXPECT_EQ(seen.formatShown, 0);
    EXPECT_EQ(header.formatTag, 7);
}

TEST_F(VoxDialog, OwnerWindowOwnsTheDialog) {
    QWidget owner;
    owner.show();
    const std::string name = dir.file("in.vox");
    plugintest::writeBytes(name, {1});
    PluginOptions options = plugintest::dialogOptions(errorText);
    options.ownerWindow = &owner;
    QWidget* parent = nullptr;
    dialogdriver::answerNextModal([&parent](QWidget* modal) {
        parent = modal->parentWidget();
        dialogdriver::press(modal, 2);
    });
    SoundHeader header{};
    int16_t* body = nullptr;
    EXPECT_FALSE(vox::openVox(name.c_str(), &header, &body, &options));
    EXPECT_EQ(parent, &owner);
}

} // namespace

namespace {

// With a Qt application object and no buffer, the freshly loaded plug-in shows its failure in
// a critical message box captioned with string 101.
TEST(VoxMessageBox, FailureWithoutABufferShowsAnErrorBox) {
    plugintest::LoadedLibrary library("Adpcmio.so");
    ASSERT_TRUE(library.loaded()) << library.error();
    auto openVox = library.entry<PluginOpenEntry>("OpenVox");
    ASSERT_NE(openVox, nullptr);
    platform_test::TestFolder dir;
    const std::string name = dir.file("empty.vox");
    plugintest::writeBytes(name, {});
    bool isBox = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    dialogdriver::answerNextModal([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        isBox = box != nullptr;
        if (box == nullptr) {
            modal->close();
            return;
        }
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
    PluginOptions options = plugintest::headerFormatOptions(nullptr);
    SoundHeader header{7, 8000, 0, 8};
    int16_t* body = nullptr;
    EXPECT_EQ(openVox(name.c_str(), &header, &body, &options), 0);
    EXPECT_TRUE(isBox);
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_EQ(title.toStdString(), plugintest::text(101));
    EXPECT_EQ(text.toStdString(), plugintest::messageWithName(111, name));
}

} // namespace
