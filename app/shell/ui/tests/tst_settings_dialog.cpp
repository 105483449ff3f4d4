// The settings dialog driven as a user would: opened from the Tools menu, edited by object
// name, confirmed or cancelled; what it stores in import.ini and applies to the main window.
#include "ui/SettingsForm.h"

#include "ui_test/Program.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <filesystem>
#include <optional>

using ui::TfrmSettings;

namespace {

TfrmSettings& settingsOf(QDialog& shown) {
    return static_cast<TfrmSettings&>(shown);
}

void typeInto(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

void pressOk(TfrmSettings& dialog) {
    QTest::mouseClick(dialog.OKBtn(), Qt::LeftButton);
}

} // namespace

class TestSettingsDialog : public QObject {
    Q_OBJECT

private:
    std::optional<ui_test::Program> program;

    ui::TfrmMainForm& form() { return program->form(); }
    TfrmSettings& dialog() { return program->windows->frmSettings(); }
    QLineEdit* edit(QDialog& shown, const char* name) {
        return program->named<QLineEdit>(shown, name);
    }
    QCheckBox* box(QDialog& shown, const char* name) {
        return program->named<QCheckBox>(shown, name);
    }
    std::string stored(const std::string& key) { return program->workspace.configMap().at(key); }

private slots:
    void init() {
        program.emplace();
        program->start({"InputDir1=C:\\Dict\\Type1"});
    }
    void cleanup() { program.reset(); }

    void menuAndToolbarOpenTheModalDialog() {
        for (const char* name : {"mnuSettings", "tbtnOptions"})
            program->trigger(name);
        QCOMPARE(program->prompts.dialogTitles, (QStringList{"Settings", "Settings"}));
        QVERIFY(dialog().isModal());
        QVERIFY(dialog().width() >= 357 && dialog().height() >= 388);
        QCOMPARE(dialog().minimumSize(), dialog().maximumSize());
    }

    void openingShowsTheCurrentValues() {
        program->start({"DictatorID=0042", "EnableSched=1", "ConvertInterval=12", "ShowErrors=1",
                        "SpeechInput=D:\\SR In", "Interface=hook.exe"});
        program->inDialog("mnuSettings", [&](QDialog& shown) {
            TfrmSettings& settings = settingsOf(shown);
            QCOMPARE(settings.edtDictatorID()->text(), QStringLiteral("0042"));
            QVERIFY(settings.chkAuto()->isChecked());
            QCOMPARE(settings.CSpinEdit1()->value(), 12);
            QVERIFY(settings.CSpinEdit1()->isEnabled());
            QVERIFY(box(shown, "chkErrMsg")->isChecked());
            QVERIFY(!box(shown, "chkSpeechRec")->isChecked());
            QCOMPARE(edit(shown, "edtSpeechInput")->text(), QStringLiteral("D:\\SR In"));
            QCOMPARE(edit(shown, "edtInterface")->text(), QStringLiteral("hook.exe"));
        });
    }

    void theIntervalFieldFollowsTheSchedulerBox() {
        program->inDialog("mnuSettings", [](QDialog& shown) {
            TfrmSettings& settings = settingsOf(shown);
            QVERIFY(!settings.CSpinEdit1()->isEnabled());
            QTest::mouseClick(settings.chkAuto(), Qt::LeftButton, {},
                              QPoint(4, settings.chkAuto()->height() / 2));
            QVERIFY(settings.CSpinEdit1()->isEnabled());
            settings.chkAuto()->setChecked(false); // set by the program
            QVERIFY(!settings.CSpinEdit1()->isEnabled());
        });
    }

    void okStoresAndApplies() {
        form().scheduler().Tick(); // the count restarts at OK
        const int result = program->inDialog("mnuSettings", [&](QDialog& shown) {
            TfrmSettings& settings = settingsOf(shown);
            settings.cboFormat()->setCurrentIndex(1);
            settings.cboPriority()->setCurrentIndex(1);
            typeInto(settings.edtDictatorID(), "0042");
            settings.chkAuto()->setChecked(true);
            settings.CSpinEdit1()->setValue(15);
            box(shown, "chkSpeechRec")->setChecked(true);
            typeInto(edit(shown, "edtSpeechOutput"), "E:\\Engine Out\\");
            pressOk(settings);
        });
        QCOMPARE(result, int(QDialog::Accepted));
        for (const auto& [key, value] : {std::pair{"VoxFormat", "1"},
                                         {"Priority", "1"},
                                         {"DictatorID", "0042"},
                                         {"EnableSched", "1"},
                                         {"ConvertInterval", "15"},
                                         {"SpeechRec", "1"},
                                         {"SpeechOutput", "E:\\Engine Out\\"}})
            QCOMPARE(stored(key), std::string(value));
        QCOMPARE(program->panel(2), QStringLiteral("Format:  ADPCM 8 KHz"));
        QCOMPARE(int(form().OutputFormatCode), 23);
        QCOMPARE(form().settings.DictatorID, std::string("0042"));
        QVERIFY(form().Timer1()->isActive());
        QCOMPARE(program->panel(1), QStringLiteral("Next scheduled conversion in 15 min"));
        QCOMPARE(form().scheduler().MinutesElapsed(), 0);
    }

    void turningTheSchedulerOffStopsItAtOnce() {
        program->start({"EnableSched=1", "SpeechRec=1"});
        program->inDialog("mnuSettings", [&](QDialog& shown) {
            settingsOf(shown).chkAuto()->setChecked(false);
            box(shown, "chkSpeechRec")->setChecked(false);
            pressOk(settingsOf(shown));
        });
        QVERIFY(!form().Timer1()->isActive());
        QCOMPARE(program->panel(1), QString());
    }

    // The check itself is the config library's; here the text travels through the widgets.
    void anInvalidIdKeepsTheDialogOpenUntilItIsCorrected_data() {
        QTest::addColumn<QString>("id");
        QTest::newRow("five digits") << "12345";
        QTest::newRow("Arabic-Indic digits") << QString::fromUtf8("\u0661\u0662\u0663\u0664");
    }

    void anInvalidIdKeepsTheDialogOpenUntilItIsCorrected() {
        QFETCH(QString, id);
        const std::string before = program->workspace.configText();
        bool stillOpen = false;
        std::string storedWhileOpen;
        const int result = program->inDialog("mnuSettings", [&](QDialog& shown) {
            TfrmSettings& settings = settingsOf(shown);
            settings.cboFormat()->setCurrentIndex(2);
            settings.edtDictatorID()->setText(id);
            pressOk(settings);
            stillOpen = settings.isVisible();
            storedWhileOpen = program->workspace.configText();
            QCOMPARE(form().StatusBar1()->panelText(2), QStringLiteral("Format:  Original"));
            // Return confirms the correction, wherever the focus has been meanwhile.
            settings.chkAuto()->setFocus();
            typeInto(settings.edtDictatorID(), "1234");
            QTest::keyClick(settings.edtDictatorID(), Qt::Key_Return);
        });
        QVERIFY(stillOpen);
        QCOMPARE(storedWhileOpen, before);
        QCOMPARE(program->prompts.messages.size(), 1);
        QCOMPARE(program->prompts.messages[0].caption, QStringLiteral("Error"));
        QCOMPARE(program->prompts.messages[0].text, QStringLiteral("Invalid Dictator ID"));
        QCOMPARE(program->prompts.messages[0].icon, ui::PromptIcon::Warning);
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(stored("DictatorID"), std::string("1234"));
    }

    // The scheduler's interval is taken from 1 to 1440 minutes; anything else is refused with a
    // message and the dialog stays open to correct it, as for a bad dictator ID.
    void intervalInput_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<int>("stored");
        QTest::newRow("one minute") << "1" << false << 1;
        QTest::newRow("a day") << "1440" << false << 1440;
        QTest::newRow("negative") << "-5" << true << 0;
        QTest::newRow("nothing typed") << "" << true << 0;
        QTest::newRow("letters are not taken") << "abc" << true << 0;
        QTest::newRow("more than a day") << "1441" << true << 0;
        QTest::newRow("larger than an integer") << "99999999999" << true << 0;
    }

    void intervalInput() {
        QFETCH(QString, typed);
        QFETCH(bool, refused);
        QFETCH(int, stored);
        program->start({"EnableSched=1", "ConvertInterval=30"});
        bool stillOpen = false;
        std::string storedWhileOpen;
        program->inDialog("mnuSettings", [&](QDialog& shown) {
            QSpinBox* interval = settingsOf(shown).CSpinEdit1();
            typeInto(interval->findChild<QLineEdit*>(), typed);
            pressOk(settingsOf(shown));
            stillOpen = shown.isVisible();
            storedWhileOpen = this->stored("ConvertInterval");
            if (stillOpen) {
                QVERIFY(interval->hasFocus());
                typeInto(interval->findChild<QLineEdit*>(), "45");
                pressOk(settingsOf(shown));
            }
        });
        QCOMPARE(stillOpen, refused);
        const QString message = "The timer interval must be from 1 to 1440 minutes.";
        QCOMPARE(program->messageTexts(), refused ? QStringList{message} : QStringList{});
        if (refused) {
            QCOMPARE(program->prompts.messages[0].caption, QStringLiteral("Error"));
            QCOMPARE(storedWhileOpen, std::string("30"));
        }
        const int kept = refused ? 45 : stored;
        QCOMPARE(this->stored("ConvertInterval"), std::to_string(kept));
        QCOMPARE(form().settings.ConvertInterval, kept);
        QCOMPARE(program->panel(1),
                 QStringLiteral("Next scheduled conversion in %1 min").arg(kept));
    }

    // With the scheduler off the field cannot be edited: its value keeps nothing from closing.
    void anIntervalOutOfBoundsIsKeptWhileTheSchedulerIsOff() {
        program->start({"EnableSched=0", "ConvertInterval=-5"});
        const int result = program->inDialog("mnuSettings", [](QDialog& shown) {
            QVERIFY(!settingsOf(shown).CSpinEdit1()->isEnabled());
            pressOk(settingsOf(shown));
        });
        QCOMPARE(result, int(QDialog::Accepted));
        QVERIFY(program->prompts.messages.isEmpty());
        QCOMPARE(stored("ConvertInterval"), std::string("-5"));
    }

    void foldersAreStoredAsTyped_data() {
        QTest::addColumn<QString>("folder");
        QTest::newRow("blanks at the ends") << " D:\\Speech In ";
        QTest::newRow("quotes, equal sign, other scripts")
            << QString::fromUtf8("\"D:\\Spracherkennung\\Müller=Ωmega\"");
    }

    void foldersAreStoredAsTyped() {
        QFETCH(QString, folder);
        program->inDialog("mnuSettings", [&](QDialog& shown) {
            edit(shown, "edtSpeechInput")->setText(folder);
            pressOk(settingsOf(shown));
        });
        program->startAsIs();
        QCOMPARE(QString::fromStdString(form().settings.SpeechInput), folder);
    }

    void aFailedWriteShowsItsMessageAndAppliesNothing() {
        std::filesystem::remove(program->workspace.configFile());
        std::filesystem::create_directory(program->workspace.configFile());
        bool stillOpen = false;
        program->inDialog("mnuSettings", [&](QDialog& shown) {
            TfrmSettings& settings = settingsOf(shown);
            settings.cboFormat()->setCurrentIndex(1);
            settings.chkAuto()->setChecked(true);
            typeInto(settings.edtDictatorID(), "4711");
            pressOk(settings);
            stillOpen = settings.isVisible();
            QTest::mouseClick(settings.CancelBtn(), Qt::LeftButton);
        });
        QVERIFY(stillOpen);
        QCOMPARE(program->messageTexts(),
                 QStringList{"Unable to write to .\\import.ini: Is a directory"});
        QCOMPARE(form().settings.DictatorID, std::string("9999"));
        QVERIFY(!form().Timer1()->isActive());
        QCOMPARE(int(form().OutputFormatCode), 7);
        QCOMPARE(dialog().cboFormat()->currentIndex(), 3);
    }

    void cancelStoresNothingAndGivesTheSelectorsBack_data() {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Cancel") << false;
        QTest::newRow("Escape") << true;
    }

    void cancelStoresNothingAndGivesTheSelectorsBack() {
        QFETCH(bool, escape);
        program->start({"VoxFormat=2", "Priority=0"});
        const std::string before = program->workspace.configText();
        const int result = program->inDialog("mnuSettings", [&](QDialog& shown) {
            TfrmSettings& settings = settingsOf(shown);
            settings.cboFormat()->setCurrentIndex(0);
            settings.cboPriority()->setCurrentIndex(1);
            typeInto(settings.edtDictatorID(), "1111");
            if (escape)
                QTest::keyClick(&settings, Qt::Key_Escape);
            else
                QTest::mouseClick(settings.CancelBtn(), Qt::LeftButton);
        });
        QCOMPARE(result, int(QDialog::Rejected));
        QCOMPARE(program->workspace.configText(), before);
        QCOMPARE(dialog().cboFormat()->currentIndex(), 2);
        QCOMPARE(dialog().cboPriority()->currentIndex(), 0);
        QCOMPARE(form().settings.DictatorID, std::string("9999"));
    }

    // A run can start while the dialog is open (the scheduler keeps ticking): it converts with
    // the confirmed format and priority, not with a choice not yet confirmed.
    void aRunWhileTheDialogIsOpenUsesTheConfirmedSelections() {
        program->start({"VoxFormat=2", "EnableSched=1", "ConvertInterval=1"});
        QStringList runs;
        form().installCommand(ui::Command::ConvertAll, [&] {
            runs << QStringLiteral("%1 %2")
                        .arg(form().outputFormatIndex())
                        .arg(form().priorityIndex());
        });
        const auto chooseAndTick = [&](bool confirm) {
            program->inDialog("mnuSettings", [&](QDialog& shown) {
                settingsOf(shown).cboFormat()->setCurrentIndex(1);
                settingsOf(shown).cboPriority()->setCurrentIndex(1);
                form().Timer1Timer();
                if (confirm)
                    pressOk(settingsOf(shown));
            });
        };
        chooseAndTick(false);
        chooseAndTick(true);
        form().Timer1Timer();
        QCOMPARE(runs, (QStringList{"2 0", "2 0", "1 1"}));
    }

    void aStoredSelectorOutOfRangeStaysUnselectedThroughOk() {
        program->start({"VoxFormat=7"});
        program->inDialog("mnuSettings", [](QDialog& shown) { pressOk(settingsOf(shown)); });
        QCOMPARE(stored("VoxFormat"), std::string("-1"));
        QCOMPARE(program->panel(2), QStringLiteral("Format:  Original"));
    }
};

QTEST_MAIN(TestSettingsDialog)
#include "tst_settings_dialog.moc"
