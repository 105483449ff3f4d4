#include "config_fixture.h"

#include <cerrno>

namespace {

using config_test::WorkingFolderTest;
using shell::Settings;

class ConfigStoreTest : public WorkingFolderTest {};

// The stored text of every single key, in key table order.
std::string storedKeys(const Settings& s) {
    std::string text;
    for (const shell::SettingKey& key : shell::kSettingKeys)
        text += std::string(key.name) + "=" + shell::StoredText(key, s) + ";";
    return text;
}

TEST_F(ConfigStoreTest, ReadsEveryKeyAndGivesDefaultsForMissingOrUnreadableOnes) {
    EXPECT_EQ(storedKeys(store_.LoadSettings()), storedKeys(Settings{}));
    EXPECT_FALSE(iniExists()) << "loading must not create the file";
    writeIni("[Startup]\r\nVoxFormat=1\r\nPriority=1\r\nDictatorID=4711\r\nEnableSched=1\r\n"
             "ConvertInterval=ten\r\nShowErrors=yes\r\nAppendSource=2\r\nMoveOutputText=1\r\n"
             "AppendDate=1\r\nShowTips=0\r\nSpeechRec=1\r\nSpeechInput=\r\n"
             "SpeechOutput=\"D:\\SR Out \"\r\nInterface=C:\\Tools\\hook.exe\r\nHeight=480\r\n"
             "Width=12px\r\nTop=0x10\r\nLeft=-20\r\n");
    EXPECT_EQ(storedKeys(store_.LoadSettings()),
              "VoxFormat=1;Priority=1;DictatorID=4711;EnableSched=1;ConvertInterval=30;"
              "ShowErrors=0;MoveOutputText=1;AppendSource=1;AppendDate=1;SpeechRec=1;"
              "SpeechInput=;SpeechOutput=D:\\SR Out ;Interface=C:\\Tools\\hook.exe;ShowTips=0;"
              "Height=480;Width=500;Top=16;Left=-20;");
}

// A selector holds an index of its list or none (-1); the status text and the format tag of
// no selection are those of "Original Format".
TEST_F(ConfigStoreTest, ASelectorIndexOutOfItsListIsNoSelection) {
    const struct {
        const char* stored;
        int format;   // of four entries
        int priority; // of two
    } cases[] = {{"1", 1, 1},    {"3", 3, -1},  {"4", -1, -1},
                 {"-1", -1, -1}, {"0x1", 1, 1}, {"x", 3, 0}};
    for (const auto& c : cases) {
        writeIni(std::string("[Startup]\r\nVoxFormat=") + c.stored + "\r\nPriority=" + c.stored +
                 "\r\n");
        const Settings s = store_.LoadSettings();
        EXPECT_EQ(s.VoxFormat, c.format) << c.stored;
        EXPECT_EQ(s.Priority, c.priority) << c.stored;
    }
    EXPECT_EQ(shell::FormatStatusText(-1), "Format:  Original");
    EXPECT_EQ(shell::OutputFormatCode(-1), 7);
}

TEST_F(ConfigStoreTest, SavesTheDialogsKeysInTheirOrderAndReadsThemBack) {
    Settings s;
    s.VoxFormat = -1;
    s.Priority = 1;
    s.DictatorID = "0042";
    s.EnableSched = true;
    s.ConvertInterval = -5;
    s.ShowErrors = true;
    s.AppendSource = true;
    s.SpeechRec = true;
    s.SpeechInput = "C:\\Speech In";
    s.SpeechOutput = " ";
    s.Interface = "";
    s.Height = 999; // geometry and the tips flag are not the dialog's to save
    s.ShowTips = false;
    store_.SaveSettings(s);
    EXPECT_EQ(iniBytes(), "[Startup]\r\nVoxFormat=-1\r\nPriority=1\r\nDictatorID=0042\r\n"
                          "EnableSched=1\r\nConvertInterval=-5\r\nShowErrors=1\r\n"
                          "MoveOutputText=0\r\nAppendSource=1\r\nAppendDate=0\r\nSpeechRec=1\r\n"
                          "SpeechInput=C:\\Speech In\r\nSpeechOutput=\" \"\r\nInterface=\r\n");
    Settings back = store_.LoadSettings();
    back.Height = 999;
    back.ShowTips = false;
    EXPECT_EQ(storedKeys(back), storedKeys(s));
}

TEST_F(ConfigStoreTest, SavesTheGeometryInPlace) {
    writeIni("[Startup]\r\nInputDir1=C:\\In\r\nWidth=1\r\n");
    store_.SaveGeometry(480, 640, 10, -5);
    EXPECT_EQ(iniBytes(),
              "[Startup]\r\nInputDir1=C:\\In\r\nWidth=640\r\nHeight=480\r\nTop=10\r\nLeft=-5\r\n");
}

// The tips window reads only the first character of ShowTips (default "1") as an integer.
TEST_F(ConfigStoreTest, TheTipsWindowReadsTheFirstCharacterOfItsFlag) {
    EXPECT_TRUE(store_.ReadTipsCheckBox());
    const struct {
        const char* stored;
        const char* result; // "1", "0" or the error's text
    } cases[] = {{"1", "1"},
                 {"0", "0"},
                 {"2", "0"},
                 {"10", "1"},
                 {"01", "0"},
                 {"yes", "'y' is not a valid integer value"},
                 {"", "'' is not a valid integer value"},
                 {"-1", "'-' is not a valid integer value"}};
    for (const auto& c : cases) {
        writeIni(std::string("[Startup]\r\nShowTips=") + c.stored + "\r\n");
        try {
            EXPECT_EQ(store_.ReadTipsCheckBox() ? "1" : "0", std::string(c.result)) << c.stored;
        } catch (const shell::ConfigValueError& e) {
            EXPECT_STREQ(e.what(), c.result) << c.stored;
        }
    }
    store_.WriteTipsFlag(false);
    EXPECT_EQ(iniBytes(), "[Startup]\r\nShowTips=0\r\n");
}

// The stored path, then why: the system's text for the error.
TEST_F(ConfigStoreTest, AFailedWriteRaisesUnableToWriteWithTheStoredPathAndTheReason) {
    folder_.makeFolder("import.ini"); // a folder where the file should be
    try {
        store_.SaveSettings(Settings{});
        FAIL() << "no error";
    } catch (const shell::ConfigWriteError& e) {
        EXPECT_STREQ(e.what(), "Unable to write to .\\import.ini: Is a directory");
    }
    EXPECT_THROW(store_.SaveGeometry(1, 2, 3, 4), shell::ConfigWriteError);
    EXPECT_THROW(store_.WriteTipsFlag(true), shell::ConfigWriteError);
    try {
        shell::ConfigStore("/proc/Import Settings.ini").WriteString("A", "1");
        FAIL() << "no error";
    } catch (const shell::ConfigWriteError& e) {
        const std::string text = e.what();
        EXPECT_TRUE(text.starts_with("Unable to write to /proc/Import Settings.ini: ")) << text;
        EXPECT_GT(text.size(),
                  std::string("Unable to write to /proc/Import Settings.ini: ").size());
    }
    // A key no line can hold fails before any system call: its reason is still given.
    errno = EACCES;
    try {
        store_.WriteString("Bad\nKey", "1");
        FAIL() << "no error";
    } catch (const shell::ConfigWriteError& e) {
        EXPECT_STREQ(e.what(), "Unable to write to .\\import.ini: Invalid argument");
    }
}

} // namespace
