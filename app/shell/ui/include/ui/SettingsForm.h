// TfrmSettings, "Settings": edits the single-key settings on two pages. Its two selectors hold
// the program's current output format and priority for the whole run (loaded at start-up and
// stored by OK); the other controls are filled from the main window each time it opens.
#pragma once

#include "config/settings.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <utility>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;
class QTabWidget;
class QPushButton;

namespace ui {

inline constexpr const char* kInvalidDictatorIdText = "Invalid Dictator ID";

class TfrmSettings : public QDialog {
    Q_OBJECT
public:
    // Receives the validated values at OK; throwing (a failed write) keeps the dialog open.
    using ConfirmHandler = std::function<void(const shell::Settings& edited)>;

    explicit TfrmSettings(QWidget* parent = nullptr);

    QComboBox* cboFormat() const { return cboFormat_; }
    QComboBox* cboPriority() const { return cboPriority_; }
    QTabWidget* pages() const { return pages_; }
    QLineEdit* edtDictatorID() const { return edtDictatorID_; }
    QCheckBox* chkAuto() const { return chkAuto_; }
    QSpinBox* CSpinEdit1() const { return CSpinEdit1_; }
    QPushButton* OKBtn() const { return okBtn_; }
    QPushButton* CancelBtn() const { return cancelBtn_; }

    // Selects an index; one outside the list leaves the selector without a selection.
    static void selectIndex(QComboBox* selector, int index);

    // Opening: every control but the two selectors from the current settings.
    void loadFrom(const shell::Settings& current);
    // The current settings with the values of the controls (selectors included).
    shell::Settings edited(const shell::Settings& current);

    void setConfirmHandler(ConfirmHandler handler) { confirm_ = std::move(handler); }

    // True when the text is a valid default dictator ID; otherwise shows "Invalid Dictator ID".
    bool ValidateDictatorID(const QString& text);
    // True when the scheduler is off or the interval lies within 1 to 1440 minutes; otherwise
    // says so and puts the focus on the interval.
    bool ValidateInterval(bool schedulerOn, int minutes);

public slots:
    void OKBtnClick();
    void CancelBtnClick();
    void chkAutoClick();
    // Closing by Escape or the close box is Cancel.
    void reject() override;
    // Each showing opens in the middle of the screen.
    void setVisible(bool visible) override;

private:
    QWidget* buildGeneralPage();
    QWidget* buildSpeechPage();
    int intervalValue();

    QTabWidget* pages_;
    QComboBox* cboFormat_ = nullptr;
    QComboBox* cboPriority_ = nullptr;
    QLineEdit* edtDictatorID_ = nullptr;
    QCheckBox* chkAuto_ = nullptr;
    QSpinBox* CSpinEdit1_ = nullptr;
    QCheckBox* chkErrMsg_ = nullptr;
    QCheckBox* chkAppendSrc_ = nullptr;
    QCheckBox* chkAppendDate_ = nullptr;
    QCheckBox* chkMoveOutputText_ = nullptr;
    QCheckBox* chkSpeechRec_ = nullptr;
    QLineEdit* edtSpeechInput_ = nullptr;
    QLineEdit* edtSpeechOutput_ = nullptr;
    QLineEdit* edtInterface_ = nullptr;
    QPushButton* okBtn_ = nullptr;
    QPushButton* cancelBtn_ = nullptr;
    ConfirmHandler confirm_;
    shell::Settings current_;
    // The selectors' indexes when the dialog was opened (format, priority).
    std::optional<std::pair<int, int>> selectionsAtOpening_;
};

} // namespace ui
