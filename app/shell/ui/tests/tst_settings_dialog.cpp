// The settings dialog driven as a user would: opened from the Tools menu, edited by object
// name, confirmed or cancelled; what it stores in import.ini and applies to the main window.
#include "ui/ApplicationWindows.h"
#include "ui/MainForm.h"
#include "ui/SettingsForm.h"
#include "ui/StatusPanels.h"

#include "ui_test/FakePrompts.h"
#include "ui_test/Workspace.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include <climits>
#include <filesystem>
#include <functional>
#include <memory>

using ui::TfrmMainForm;
using ui::TfrmSettings;

namespace {

template <class Widget>
Widget* control(const TfrmSettings& dialog, const char* name) {
    auto* found = dialog.findChild<Widget*>(QString::fromLatin1(name));
    if (found == nullptr)
        qFatal("no control %s", name);
    return found;
}

void setText(const TfrmSettings& dialog, const char* name, const QString& text) {
    auto* edit = control<QLineEdit>(dialog, name);
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

} // namespace

class TestSettingsDialog : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ui_test::Workspace> workspace;
    std::unique_ptr<ui_test::FakePrompts> fakePrompts;
    std::unique_ptr<ui::ApplicationWindows> windows;

    TfrmMainForm& form() { return windows->frmMainForm(); }
    TfrmSettings& dialog() { return windows->frmSettings(); }

    void start(const std::vector<std::string>& lines = {}) {
        std::vector<std::string> config = {"ShowTips=0", "InputDir1=C:\\Dict\\Type1"};
        config.insert(config.end(), lines.begin(), lines.end());
        workspace->writeConfig(config);
        windows = std::make_unique<ui::ApplicationWindows>();
        form().show();
    }

    // Opens the dialog from the menu; `edit` works in it while it is shown, then presses OK
    // (unless `pressOk` is false). Returns the dialog's result.
    int openAndEdit(const std::function<void(TfrmSettings&)>& edit, bool pressOk = true) {
        fakePrompts->onDialog = [&](QDialog& shown) {
            auto& settings = static_cast<TfrmSettings&>(shown);
            edit(settings);
            if (pressOk)
                QTest::mouseClick(settings.OKBtn(), Qt::LeftButton);
        };
        form().findChild<QAction*>(QStringLiteral("mnuSettings"))->trigger();
        fakePrompts->onDialog = {};
        return dialog().result();
    }

private slots:
    void init() {
        workspace = std::make_unique<ui_test::Workspace>();
        fakePrompts = std::make_unique<ui_test::FakePrompts>();
    }

    void cleanup() {
        windows.reset();
        fakePrompts.reset();
        workspace.reset();
    }

    void toolbarAndMenuOpenTheModalDialog() {
        start();
        for (const char* name : {"mnuSettings", "tbtnOptions"}) {
            auto* action = form().findChild<QAction*>(QString::fromLatin1(name));
            QVERIFY2(action->isEnabled(), name);
            action->trigger();
        }
        QCOMPARE(fakePrompts->dialogTitles, (QStringList{"Settings", "Settings"}));
        QVERIFY(dialog().isModal());
        QVERIFY(dialog().width() >= 357 && dialog().height() >= 388);
        QCOMPARE(dialog().minimumSize(), dialog().maximumSize());
    }

    void pagesHoldEveryControlWithItsCaption() {
        start();
        QTabWidget* pages = dialog().pages();
        QCOMPARE(pages->count(), 2);
        QCOMPARE(pages->tabText(0), QStringLiteral("General"));
        QCOMPARE(pages->tabText(1), QStringLiteral("Speech Recognition"));
        const QList<QPair<const char*, QString>> boxes = {
            {"chkAuto", "Scheduled timer on"},
            {"chkErrMsg", "Create error log"},
            {"chkAppendSrc", "Append source file name to output file name"},
            {"chkAppendDate", "Append dictation date to output file name"},
            {"chkMoveOutputText", "Move text files to output folder instead of Documents folder"},
            {"chkSpeechRec", "Enable speech recognition"}};
        for (const auto& [name, caption] : boxes)
            QCOMPARE(control<QCheckBox>(dialog(), name)->text(), caption);
        QStringList labels;
        for (const QLabel* label : dialog().findChildren<QLabel*>())
            labels << label->text();
        for (const char* caption : {"Output format: ", "Priority status:", "Default 4-digit ID:",
                                    "Timer interval (minutes)", "Speech engine input folder",
                                    "Speech engine output folder", "Custom interface program"})
            QVERIFY2(labels.contains(QString::fromLatin1(caption)), caption);
        QStringList groups;
        for (const QGroupBox* group : dialog().findChildren<QGroupBox*>())
            groups << group->title();
        groups.sort();
        QCOMPARE(groups, (QStringList{"Custom Interface", "Scheduled conversion",
                                      "Speech Recognition Settings"}));
        QStringList formats;
        for (int i = 0; i < dialog().cboFormat()->count(); ++i)
            formats << dialog().cboFormat()->itemText(i);
        QCOMPARE(formats,
                 (QStringList{"PCM 8 KHz (vox)", "ADPCM 8 KHz (vox)", "WAV", "Original Format"}));
        QCOMPARE(dialog().OKBtn()->text(), QStringLiteral("OK"));
        QVERIFY(dialog().OKBtn()->isDefault());
    }

    void openingShowsTheCurrentValues() {
        start({"DictatorID=0042", "EnableSched=1", "ConvertInterval=12", "ShowErrors=1",
               "SpeechInput=D:\\SR In", "Interface=hook.exe"});
        openAndEdit(
            [](TfrmSettings& shown) {
                QCOMPARE(shown.edtDictatorID()->text(), QStringLiteral("0042"));
                QVERIFY(shown.chkAuto()->isChecked());
                QCOMPARE(shown.CSpinEdit1()->value(), 12);
                QVERIFY(shown.CSpinEdit1()->isEnabled());
                QVERIFY(control<QCheckBox>(shown, "chkErrMsg")->isChecked());
                QVERIFY(!control<QCheckBox>(shown, "chkSpeechRec")->isChecked());
                QCOMPARE(control<QLineEdit>(shown, "edtSpeechInput")->text(),
                         QStringLiteral("D:\\SR In"));
                QCOMPARE(control<QLineEdit>(shown, "edtInterface")->text(),
                         QStringLiteral("hook.exe"));
            },
            false);
    }

    void theIntervalFieldFollowsTheSchedulerBox() {
        start();
        openAndEdit(
            [](TfrmSettings& shown) {
                QVERIFY(!shown.CSpinEdit1()->isEnabled());
                QTest::mouseClick(shown.chkAuto(), Qt::LeftButton, {},
                                  QPoint(4, shown.chkAuto()->height() / 2));
                QVERIFY(shown.chkAuto()->isChecked());
                QVERIFY(shown.CSpinEdit1()->isEnabled());
                shown.chkAuto()->setChecked(false); // set by the program
                QVERIFY(!shown.CSpinEdit1()->isEnabled());
            },
            false);
    }

    void okStoresInOrderAndApplies() {
        start();
        form().scheduler().Tick(); // the count must restart at OK
        const int result = openAndEdit([](TfrmSettings& shown) {
            shown.cboFormat()->setCurrentIndex(1);
            shown.cboPriority()->setCurrentIndex(1);
            setText(shown, "edtDictatorID", "0042");
            shown.chkAuto()->setChecked(true);
            shown.CSpinEdit1()->setValue(15);
            control<QCheckBox>(shown, "chkSpeechRec")->setChecked(true);
            setText(shown, "edtSpeechOutput", "E:\\Engine Out\\");
        });
        QCOMPARE(result, int(QDialog::Accepted));
        QVERIFY(!dialog().isVisible());
        std::vector<std::string> written;
        for (const auto& [key, value] : workspace->configEntries())
            written.push_back(key);
        const std::vector<std::string> order = {
            "VoxFormat",   "Priority",       "DictatorID",   "EnableSched", "ConvertInterval",
            "ShowErrors",  "MoveOutputText", "AppendSource", "AppendDate",  "SpeechRec",
            "SpeechInput", "SpeechOutput",   "Interface"};
        QVERIFY(std::equal(order.begin(), order.end(), written.end() - 13));
        const auto keys = workspace->configMap();
        QCOMPARE(keys.at("VoxFormat"), std::string("1"));
        QCOMPARE(keys.at("Priority"), std::string("1"));
        QCOMPARE(keys.at("DictatorID"), std::string("0042"));
        QCOMPARE(keys.at("ConvertInterval"), std::string("15"));
        QCOMPARE(keys.at("SpeechOutput"), std::string("E:\\Engine Out\\"));
        QCOMPARE(form().StatusBar1()->panelText(2), QStringLiteral("Format:  ADPCM 8 KHz"));
        QCOMPARE(int(form().OutputFormatCode), 23);
        QCOMPARE(form().settings.DictatorID, std::string("0042"));
        QVERIFY(form().Timer1()->isActive());
        QCOMPARE(form().StatusBar1()->panelText(1),
                 QStringLiteral("Next scheduled conversion in 15 min"));
        QCOMPARE(form().scheduler().MinutesElapsed(), 0);
        QCOMPARE(form().TargetWaveFormat.samplesPerSec, 11025u);
        QCOMPARE(form().TargetWaveFormat.avgBytesPerSec, 22050u);
        QCOMPARE(form().TargetWaveFormat.blockAlign, uint16_t(2));
    }

    void turningTheSchedulerOffStopsItAtOnce() {
        start({"EnableSched=1", "SpeechRec=1"});
        QVERIFY(form().Timer1()->isActive());
        openAndEdit([](TfrmSettings& shown) {
            shown.chkAuto()->setChecked(false);
            control<QCheckBox>(shown, "chkSpeechRec")->setChecked(false);
        });
        QVERIFY(!form().Timer1()->isActive());
        QCOMPARE(form().StatusBar1()->panelText(1), QString());
        QCOMPARE(form().TargetWaveFormat.samplesPerSec, 8000u);
    }

    void anInvalidIdKeepsTheDialogOpenAndStoresNothing_data() {
        QTest::addColumn<QString>("id");
        QTest::newRow("three digits") << "123";
        QTest::newRow("five digits") << "12345";
        QTest::newRow("a letter") << "12a4";
        QTest::newRow("a blank") << "12 4";
        QTest::newRow("empty") << "";
        QTest::newRow("Arabic-Indic digits") << QString::fromUtf8("\u0661\u0662\u0663\u0664");
        QTest::newRow("full-width digits") << QString::fromUtf8("\uff11\uff12\uff13\uff14");
    }

    void anInvalidIdKeepsTheDialogOpenAndStoresNothing() {
        QFETCH(QString, id);
        start();
        const std::string before = workspace->configText();
        bool stillOpen = false;
        openAndEdit(
            [&](TfrmSettings& shown) {
                shown.cboFormat()->setCurrentIndex(2);
                shown.edtDictatorID()->setText(id);
                QTest::mouseClick(shown.OKBtn(), Qt::LeftButton);
                stillOpen = shown.isVisible();
                shown.reject();
            },
            false);
        QVERIFY(stillOpen);
        QCOMPARE(fakePrompts->messages.size(), 1);
        QCOMPARE(fakePrompts->messages[0].caption, QStringLiteral("Error"));
        QCOMPARE(fakePrompts->messages[0].text, QStringLiteral("Invalid Dictator ID"));
        QCOMPARE(fakePrompts->messages[0].icon, ui::PromptIcon::Warning);
        QCOMPARE(workspace->configText(), before);
        QCOMPARE(form().settings.DictatorID, std::string("9999"));
        QCOMPARE(form().StatusBar1()->panelText(2), QStringLiteral("Format:  Original"));
    }

    void aCorrectedIdIsAcceptedOnTheSecondOk() {
        start();
        openAndEdit([](TfrmSettings& shown) {
            shown.edtDictatorID()->setText(QStringLiteral("12"));
            QTest::mouseClick(shown.OKBtn(), Qt::LeftButton);
            shown.edtDictatorID()->setText(QStringLiteral("1234"));
        });
        QCOMPARE(dialog().result(), int(QDialog::Accepted));
        QCOMPARE(workspace->configMap().at("DictatorID"), std::string("1234"));
    }

    void intervalInput_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("stored");
        QTest::newRow("negative") << "-5" << -5;
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("not a number: nothing typed") << "" << 0;
        QTest::newRow("only a sign") << "-" << 0;
        QTest::newRow("letters are not taken") << "abc" << 0;
        QTest::newRow("larger than an integer") << "99999999999" << 999999999;
    }

    void intervalInput() {
        QFETCH(QString, typed);
        QFETCH(int, stored);
        start({"EnableSched=1"});
        openAndEdit([&](TfrmSettings& shown) {
            QLineEdit* text = shown.CSpinEdit1()->findChild<QLineEdit*>();
            text->selectAll();
            QTest::keyClick(text, Qt::Key_Delete);
            QTest::keyClicks(text, typed);
        });
        QCOMPARE(workspace->configMap().at("ConvertInterval"), std::to_string(stored));
        QCOMPARE(form().settings.ConvertInterval, stored);
        QCOMPARE(dialog().CSpinEdit1()->value(), stored);
    }

    void foldersAreStoredAsTyped_data() {
        QTest::addColumn<QString>("folder");
        QTest::newRow("blanks at the ends") << " D:\\Speech In ";
        QTest::newRow("quotes") << "\"D:\\Speech\"";
        QTest::newRow("other scripts") << QString::fromUtf8("D:\\Spracherkennung\\Müller\\Ωmega");
        QTest::newRow("equal sign") << "D:\\a=b";
    }

    void foldersAreStoredAsTyped() {
        QFETCH(QString, folder);
        start();
        openAndEdit([&](TfrmSettings& shown) {
            control<QLineEdit>(shown, "edtSpeechInput")->setText(folder);
        });
        QCOMPARE(QString::fromStdString(form().settings.SpeechInput), folder);
        windows = std::make_unique<ui::ApplicationWindows>();
        form().show();
        QCOMPARE(QString::fromStdString(form().settings.SpeechInput), folder);
    }

    void aFailedWriteShowsItsMessageAndAppliesNothing() {
        start();
        std::filesystem::remove(workspace->configFile());
        std::filesystem::create_directory(workspace->configFile());
        bool stillOpen = false;
        openAndEdit(
            [&](TfrmSettings& shown) {
                shown.cboFormat()->setCurrentIndex(1);
                shown.chkAuto()->setChecked(true);
                setText(shown, "edtDictatorID", "4711");
                QTest::mouseClick(shown.OKBtn(), Qt::LeftButton);
                stillOpen = shown.isVisible();
                QTest::mouseClick(shown.CancelBtn(), Qt::LeftButton);
            },
            false);
        QVERIFY(stillOpen);
        QCOMPARE(fakePrompts->messages.size(), 1);
        QCOMPARE(fakePrompts->messages[0].text, QStringLiteral("Unable to write to .\\import.ini"));
        QCOMPARE(form().settings.DictatorID, std::string("9999"));
        QVERIFY(!form().settings.EnableSched);
        QVERIFY(!form().Timer1()->isActive());
        QCOMPARE(int(form().OutputFormatCode), 7);
        QCOMPARE(form().StatusBar1()->panelText(2), QStringLiteral("Format:  Original"));
        QCOMPARE(dialog().cboFormat()->currentIndex(), 3);
    }

    void cancelStoresNothingAndGivesTheSelectorsBack() {
        start({"VoxFormat=2", "Priority=0"});
        const std::string before = workspace->configText();
        const int result = openAndEdit(
            [](TfrmSettings& shown) {
                shown.cboFormat()->setCurrentIndex(0);
                shown.cboPriority()->setCurrentIndex(1);
                setText(shown, "edtDictatorID", "1111");
                QTest::mouseClick(shown.CancelBtn(), Qt::LeftButton);
            },
            false);
        QCOMPARE(result, int(QDialog::Rejected));
        QCOMPARE(workspace->configText(), before);
        QCOMPARE(dialog().cboFormat()->currentIndex(), 2);
        QCOMPARE(dialog().cboPriority()->currentIndex(), 0);
        QCOMPARE(form().settings.DictatorID, std::string("9999"));
    }

    void escapeIsCancel() {
        start({"VoxFormat=1"});
        openAndEdit(
            [](TfrmSettings& shown) {
                shown.cboFormat()->setCurrentIndex(3);
                QTest::keyClick(&shown, Qt::Key_Escape);
            },
            false);
        QCOMPARE(dialog().cboFormat()->currentIndex(), 1);
    }

    void aStoredSelectorOutOfRangeStaysUnselectedThroughOk() {
        start({"VoxFormat=7"});
        openAndEdit([](TfrmSettings&) {});
        QCOMPARE(workspace->configMap().at("VoxFormat"), std::string("-1"));
        QCOMPARE(form().StatusBar1()->panelText(2), QStringLiteral("Format:  Original"));
    }
};

QTEST_MAIN(TestSettingsDialog)
#include "tst_settings_dialog.moc"
