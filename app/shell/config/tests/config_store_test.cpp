#include "config_fixture.h"

namespace {

using config_test::WorkingFolderTest;
using shell::Settings;

class ConfigStoreTest : public WorkingFolderTest {};

void expectSameSettings(const Settings& a, const Settings& b) {
    EXPECT_EQ(a.VoxFormat, b.VoxFormat);
    EXPECT_EQ(a.Priority, b.Priority);
    EXPECT_EQ(a.DictatorID, b.DictatorID);
    EXPECT_EQ(a.EnableSched, b.EnableSched);
    EXPECT_EQ(a.ConvertInterval, b.ConvertInterval);
    EXPECT_EQ(a.ShowErrors, b.ShowErrors);
    EXPECT_EQ(a.AppendSource, b.AppendSource);
    EXPECT_EQ(a.MoveOutputText, b.MoveOutputText);
    EXPECT_EQ(a.AppendDate, b.AppendDate);
    EXPECT_EQ(a.ShowTips, b.ShowTips);
    EXPECT_EQ(a.SpeechRec, b.SpeechRec);
    EXPECT_EQ(a.SpeechInput, b.SpeechInput);
    EXPECT_EQ(a.SpeechOutput, b.SpeechOutput);
    EXPECT_EQ(a.Interface, b.Interface);
    EXPECT_EQ(a.Height, b.Height);
    EXPECT_EQ(a.Width, b.Width);
    EXPECT_EQ(a.Top, b.Top);
    EXPECT_EQ(a.Left, b.Left);
}

TEST_F(ConfigStoreTest, UsesTheFileInTheWorkingFolder) {
    EXPECT_EQ(store_.path(), ".\\import.ini");
    EXPECT_FALSE(store_.exists());
    writeIni("");
    EXPECT_TRUE(store_.exists());
}

TEST_F(ConfigStoreTest, MissingKeysGiveTheDefaults) {
    expectSameSettings(store_.LoadSettings(), Settings{});
    EXPECT_FALSE(iniExists()) << "loading must not create the file";
    writeIni("[Startup]\r\nInputDir1=C:\\In\r\n");
    expectSameSettings(store_.LoadSettings(), Settings{});
}

TEST_F(ConfigStoreTest, ReadsEveryKey) {
    writeIni("[Startup]\r\nVoxFormat=1\r\nPriority=1\r\nDictatorID=4711\r\nEnableSched=1\r\n"
             "ConvertInterval=15\r\nShowErrors=1\r\nAppendSource=1\r\nMoveOutputText=1\r\n"
             "AppendDate=1\r\nShowTips=0\r\nSpeechRec=1\r\nSpeechInput=D:\\SR In\r\n"
             "SpeechOutput=\"D:\\SR Out\"\r\nInterface=C:\\Tools\\hook.exe\r\nHeight=480\r\n"
             "Width=640\r\nTop=0x10\r\nLeft=-20\r\n");
    Settings expected;
    expected.VoxFormat = 1;
    expected.Priority = 1;
    expected.DictatorID = "4711";
    expected.EnableSched = true;
    expected.ConvertInterval = 15;
    expected.ShowErrors = expected.AppendSource = expected.MoveOutputText = true;
    expected.AppendDate = true;
    expected.ShowTips = false;
    expected.SpeechRec = true;
    expected.SpeechInput = "D:\\SR In";
    expected.SpeechOutput = "D:\\SR Out";
    expected.Interface = "C:\\Tools\\hook.exe";
    expected.Height = 480;
    expected.Width = 640;
    expected.Top = 16;
    expected.Left = -20;
    expectSameSettings(store_.LoadSettings(), expected);
}

TEST_F(ConfigStoreTest, NonNumericValuesGiveTheDefaults) {
    writeIni("[Startup]\r\nVoxFormat=wav\r\nPriority=\r\nEnableSched=yes\r\nConvertInterval=ten\r\n"
             "ShowTips=no\r\nHeight=0x\r\nWidth=12px\r\nTop= \r\nLeft=0xGG\r\n");
    expectSameSettings(store_.LoadSettings(), Settings{});
}

TEST_F(ConfigStoreTest, EmptyTextValuesStayEmptyWhileEmptyNumbersGiveTheDefaults) {
    writeIni("[Startup]\r\nDictatorID=\r\nSpeechInput=\r\nConvertInterval=\r\nShowTips=\r\n");
    const Settings s = store_.LoadSettings();
    EXPECT_EQ(s.DictatorID, "");
    EXPECT_EQ(s.SpeechInput, "");
    EXPECT_EQ(s.ConvertInterval, 30);
    EXPECT_TRUE(s.ShowTips);
}

TEST_F(ConfigStoreTest, SchedulerWithoutIntervalRunsEvery30Minutes) {
    writeIni("[Startup]\r\nEnableSched=1\r\n");
    const Settings s = store_.LoadSettings();
    EXPECT_TRUE(s.EnableSched);
    EXPECT_EQ(s.ConvertInterval, 30);
}

struct SelectorCase {
    const char* voxFormat;
    const char* priority;
    int voxIndex;
    int priorityIndex;
    const char* statusText;
    int code;
};

void PrintTo(const SelectorCase& c, std::ostream* os) {
    *os << "VoxFormat=" << c.voxFormat << " Priority=" << c.priority;
}

class SelectorIndexTest : public WorkingFolderTest,
                          public ::testing::WithParamInterface<SelectorCase> {};

TEST_P(SelectorIndexTest, OutOfRangeLeavesNoSelection) {
    const SelectorCase& c = GetParam();
    writeIni(std::string("[Startup]\r\nVoxFormat=") + c.voxFormat + "\r\nPriority=" + c.priority +
             "\r\n");
    const Settings s = store_.LoadSettings();
    EXPECT_EQ(s.VoxFormat, c.voxIndex);
    EXPECT_EQ(s.Priority, c.priorityIndex);
    EXPECT_EQ(shell::FormatStatusText(s.VoxFormat), c.statusText);
    EXPECT_EQ(shell::OutputFormatCode(s.VoxFormat), c.code);
}

INSTANTIATE_TEST_SUITE_P(Values, SelectorIndexTest,
                         ::testing::Values(SelectorCase{"0", "0", 0, 0, "Format:  PCM 8 KHz", 7},
                                           SelectorCase{"1", "1", 1, 1, "Format:  ADPCM 8 KHz", 23},
                                           SelectorCase{"2", "0", 2, 0, "Format:  WAV", 7},
                                           SelectorCase{"3", "1", 3, 1, "Format:  Original", 7},
                                           SelectorCase{"4", "2", -1, -1, "Format:  Original", 7},
                                           SelectorCase{"-1", "-1", -1, -1, "Format:  Original", 7},
                                           SelectorCase{"0x1", "0x1", 1, 1, "Format:  ADPCM 8 KHz",
                                                        23}));

TEST_F(ConfigStoreTest, SavesTheSettingsInTheDesignedOrder) {
    Settings s;
    s.VoxFormat = 2;
    s.Priority = 1;
    s.DictatorID = "0042";
    s.EnableSched = true;
    s.ConvertInterval = 5;
    s.ShowErrors = true;
    s.MoveOutputText = false;
    s.AppendSource = true;
    s.AppendDate = false;
    s.SpeechRec = true;
    s.SpeechInput = "C:\\Speech In";
    s.SpeechOutput = " ";
    s.Interface = "";
    s.Height = 999; // geometry and the tips flag are not part of the dialog's save
    s.ShowTips = false;
    store_.SaveSettings(s);
    EXPECT_EQ(iniBytes(), "[Startup]\r\nVoxFormat=2\r\nPriority=1\r\nDictatorID=0042\r\n"
                          "EnableSched=1\r\nConvertInterval=5\r\nShowErrors=1\r\n"
                          "MoveOutputText=0\r\nAppendSource=1\r\nAppendDate=0\r\nSpeechRec=1\r\n"
                          "SpeechInput=C:\\Speech In\r\nSpeechOutput=\" \"\r\nInterface=\r\n");
    Settings back = store_.LoadSettings();
    back.Height = 999;
    back.ShowTips = false;
    expectSameSettings(back, s);
}

TEST_F(ConfigStoreTest, SavingNoSelectionStoresMinusOne) {
    Settings s;
    s.VoxFormat = -1;
    s.Priority = -1;
    store_.SaveSettings(s);
    EXPECT_NE(iniBytes().find("VoxFormat=-1\r\nPriority=-1\r\n"), std::string::npos);
    EXPECT_EQ(store_.LoadSettings().VoxFormat, -1);
}

TEST_F(ConfigStoreTest, SavesTheGeometryInPlace) {
    writeIni("[Startup]\r\nInputDir1=C:\\In\r\nWidth=1\r\n");
    store_.SaveGeometry(480, 640, 10, -5);
    EXPECT_EQ(iniBytes(),
              "[Startup]\r\nInputDir1=C:\\In\r\nWidth=640\r\nHeight=480\r\nTop=10\r\nLeft=-5\r\n");
    const Settings s = store_.LoadSettings();
    EXPECT_EQ(s.Height, 480);
    EXPECT_EQ(s.Width, 640);
    EXPECT_EQ(s.Top, 10);
    EXPECT_EQ(s.Left, -5);
}

TEST_F(ConfigStoreTest, TipsFlagIsStoredAsOneOrZero) {
    store_.WriteTipsFlag(false);
    EXPECT_EQ(iniBytes(), "[Startup]\r\nShowTips=0\r\n");
    EXPECT_FALSE(store_.LoadSettings().ShowTips);
    EXPECT_FALSE(store_.ReadTipsCheckBox());
    store_.WriteTipsFlag(true);
    EXPECT_EQ(iniBytes(), "[Startup]\r\nShowTips=1\r\n");
    EXPECT_TRUE(store_.ReadTipsCheckBox());
}

TEST_F(ConfigStoreTest, TipsWindowReadsOnlyTheFirstCharacter) {
    EXPECT_TRUE(store_.ReadTipsCheckBox()) << "missing key reads \"1\"";
    const struct {
        const char* stored;
        bool checked;
    } cases[] = {{"1", true}, {"0", false}, {"2", false}, {"10", true}, {"01", false}};
    for (const auto& c : cases) {
        writeIni(std::string("[Startup]\r\nShowTips=") + c.stored + "\r\n");
        EXPECT_EQ(store_.ReadTipsCheckBox(), c.checked) << "ShowTips=" << c.stored;
    }
}

TEST_F(ConfigStoreTest, TipsWindowRejectsANonDigit) {
    const struct {
        const char* stored;
        const char* message;
    } cases[] = {{"yes", "'y' is not a valid integer value"},
                 {"", "'' is not a valid integer value"},
                 {"-1", "'-' is not a valid integer value"}};
    for (const auto& c : cases) {
        writeIni(std::string("[Startup]\r\nShowTips=") + c.stored + "\r\n");
        try {
            store_.ReadTipsCheckBox();
            ADD_FAILURE() << "no error for ShowTips=" << c.stored;
        } catch (const shell::ConfigValueError& e) {
            EXPECT_STREQ(e.what(), c.message) << "ShowTips=" << c.stored;
        }
    }
}

TEST_F(ConfigStoreTest, FailedWriteRaisesUnableToWrite) {
    folder_.makeFolder("import.ini"); // a folder where the file should be
    try {
        store_.SaveSettings(Settings{});
        FAIL() << "no error";
    } catch (const shell::ConfigWriteError& e) {
        EXPECT_STREQ(e.what(), "Unable to write to .\\import.ini");
    }
    EXPECT_THROW(store_.SaveGeometry(1, 2, 3, 4), shell::ConfigWriteError);
    EXPECT_THROW(store_.WriteTipsFlag(true), shell::ConfigWriteError);
    EXPECT_TRUE(std::filesystem::is_directory(folder_.path() / "import.ini"));
}

TEST_F(ConfigStoreTest, FailedWriteNamesTheStoredPath) {
    const shell::ConfigStore elsewhere("/proc/Import Settings.ini");
    try {
        elsewhere.WriteString("A", "1");
        FAIL() << "no error";
    } catch (const shell::ConfigWriteError& e) {
        EXPECT_STREQ(e.what(), "Unable to write to /proc/Import Settings.ini");
    }
}

} // namespace
