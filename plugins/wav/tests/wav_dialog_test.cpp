// The options dialog "WAVOPTIONS" and the about dialog, shown offscreen and answered through
// their real widgets.
#include "dialog_driver.h"
#include "plugin_test_support.h"
#include "wav/wav_plugin.h"

#include <QComboBox>
#include <QStringList>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

using plugintest::Bytes;

struct Seen {
    bool shown = false;
    QString dialogName;
    QStringList formats;
    QStringList rates;
    int formatShown = -1;
    bool rateEnabled = true;
};

QStringList entriesOf(QComboBox* box) {
    QStringList entries;
    for (int i = 0; box && i < box->count(); ++i) {
        entries << box->itemText(i);
    }
    return entries;
}

void answerOptions(Seen& seen, int format, int button) {
    dialogdriver::answerNextModal([&seen, format, button](QWidget* modal) {
        QComboBox* formats = dialogdriver::comboOf(modal, 100);
        QComboBox* rates = dialogdriver::comboOf(modal, 101);
        seen.shown = true;
        seen.dialogName = modal->objectName();
        seen.formats = entriesOf(formats);
        seen.rates = entriesOf(rates);
        seen.formatShown = formats ? formats->currentIndex() : -1;
        seen.rateEnabled = rates && rates->isEnabled();
        if (formats && format >= 0) {
            formats->setCurrentIndex(format);
        }
        dialogdriver::press(modal, button);
    });
}

struct WavDialog : testing::Test {
    platform_test::TestFolder dir;
    char errorText[512] = "";
    PluginOptions options = plugintest::dialogOptions(errorText);
    const std::vector<int16_t> samples = {0, 1000, -1000, 20000};

    Seen saveAnswering(uint16_t tag, uint16_t bits, int format, int button, const std::string& name,
                       bool& result, SoundHeader& header) {
        Seen seen;
        answerOptions(seen, format, button);
        header = {tag, 8000, static_cast<uint32_t>(samples.size()), bits};
        result = wav::saveWav(name.c_str(), &header, samples.data(), &options);
        return seen;
    }
};

TEST_F(WavDialog, ListsTheFiveEncodingsAndNoRate) {
    bool saved = false;
    SoundHeader header{};
    const Seen seen = saveAnswering(1, 16, 3, 1, dir.file("out.wav"), saved, header);
    ASSERT_TRUE(saved) << errorText;
    EXPECT_EQ(seen.dialogName, "WAVOPTIONS");
    EXPECT_EQ(seen.formats, (QStringList{"Windows PCM, 16 bits", "Windows PCM, 8 bits", "u-Law",
                                         "A-Law", "Dialogic ADPCM"}));
    EXPECT_EQ(seen.rates, QStringList{QString::fromStdString(plugintest::text(102))});
    EXPECT_FALSE(seen.rateEnabled);
    EXPECT_EQ(header.formatTag, 6) << "A-Law was chosen";
    EXPECT_EQ(header.bitsPerSample, 8);
    const Bytes file = plugintest::readBytes(dir.file("out.wav"));
    ASSERT_EQ(file.size(), 48u);
    EXPECT_EQ(file[20], 6);
}

TEST_F(WavDialog, PreselectionFollowsTheHeader) {
    const struct {
        uint16_t tag;
        uint16_t bits;
        int shown;
    } cases[] = {{1, 16, 0}, {1, 12, 1}, {1, 8, 1}, {7, 8, 2}, {6, 8, 3}, {23, 4, 4}, {99, 8, 0}};
    for (const auto& c : cases) {
        bool saved = false;
        SoundHeader header{};
        const Seen seen = saveAnswering(c.tag, c.bits, -1, 1, dir.file("pre.wav"), saved, header);
        EXPECT_TRUE(saved) << errorText;
        EXPECT_EQ(seen.formatShown, c.shown) << "tag " << c.tag << ", bits " << c.bits;
    }
}

TEST_F(WavDialog, OpenNeverAsks) {
    const std::string name = dir.file("in.wav");
    char writeText[512] = "";
    PluginOptions writeOptions = plugintest::headerFormatOptions(writeText);
    SoundHeader header{7, 8000, static_cast<uint32_t>(samples.size()), 8};
    ASSERT_TRUE(wav::saveWav(name.c_str(), &header, samples.data(), &writeOptions)) << writeText;
    SoundHeader reread{};
    int16_t* body = nullptr;
    ASSERT_TRUE(wav::openWav(name.c_str(), &reread, &body, &options)) << errorText;
    EXPECT_EQ(reread.sampleCount, samples.size());
    std::free(body);
}

} // namespace
