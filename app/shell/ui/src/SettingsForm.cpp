#include "ui/SettingsForm.h"

#include "ui/Guard.h"
#include "ui/Prompts.h"
#include "ui/WindowPlacement.h"

#include "config/output_formats.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <climits>

namespace ui {
namespace {

constexpr QSize kDesignClientSize(357, 388);

QComboBox* makeSelector(const char* name, const QStringList& texts) {
    auto* selector = new QComboBox;
    selector->setObjectName(QString::fromLatin1(name));
    selector->addItems(texts);
    selector->setEditable(false);
    return selector;
}

QStringList outputFormatTexts() {
    QStringList texts;
    for (const shell::OutputFormat& format : shell::kOutputFormats)
        texts << QString::fromUtf8(format.selectorText);
    return texts;
}

QStringList priorityTexts() {
    QStringList texts;
    for (const char* text : shell::kPriorityTexts)
        texts << QString::fromUtf8(text);
    return texts;
}

QCheckBox* makeCheckBox(const char* name, const char* caption) {
    auto* box = new QCheckBox(QString::fromUtf8(caption));
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QLineEdit* makeEdit(const char* name) {
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

// A label above its field, as on the speech page.
void addLabelled(QVBoxLayout* layout, const char* caption, QWidget* field) {
    auto* label = new QLabel(QString::fromUtf8(caption));
    label->setBuddy(field);
    layout->addWidget(label);
    layout->addWidget(field);
}

QString fromStored(const std::string& text) {
    return QString::fromStdString(text);
}

std::string toStored(const QString& text) {
    return text.toStdString();
}

} // namespace

TfrmSettings::TfrmSettings(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint)
    , pages_(new QTabWidget) {
    setObjectName(QStringLiteral("frmSettings"));
    setWindowTitle(QStringLiteral("Settings"));
    setModal(true);

    pages_->setObjectName(QStringLiteral("PageControl1"));
    pages_->addTab(buildGeneralPage(), QStringLiteral("General"));
    pages_->addTab(buildSpeechPage(), QStringLiteral("Speech Recognition"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    okBtn_ = buttons->button(QDialogButtonBox::Ok);
    okBtn_->setObjectName(QStringLiteral("OKBtn"));
    cancelBtn_ = buttons->button(QDialogButtonBox::Cancel);
    cancelBtn_->setObjectName(QStringLiteral("CancelBtn"));
    connect(okBtn_, &QPushButton::clicked, this, &TfrmSettings::OKBtnClick);
    connect(cancelBtn_, &QPushButton::clicked, this, &TfrmSettings::CancelBtnClick);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_, 1);
    layout->addWidget(buttons);
    // Only a button inside its dialog becomes the dialog's own default, which Return presses
    // wherever the focus has been; made default before, it stops being one once the focus has
    // left it.
    okBtn_->setDefault(true);
    // The designed size is the least; a larger font gets the room its captions need.
    setFixedSize(sizeHint().expandedTo(kDesignClientSize));
}

QWidget* TfrmSettings::buildGeneralPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tabGeneral"));
    cboFormat_ = makeSelector("cboFormat", outputFormatTexts());
    cboPriority_ = makeSelector("cboPriority", priorityTexts());
    edtDictatorID_ = makeEdit("edtDictatorID");
    edtDictatorID_->setMaxLength(32);
    auto* top = new QFormLayout;
    top->addRow(QStringLiteral("Output format: "), cboFormat_);
    top->addRow(QStringLiteral("Priority status:"), cboPriority_);
    top->addRow(QStringLiteral("Default 4-digit ID:"), edtDictatorID_);

    chkAuto_ = makeCheckBox("chkAuto", "Scheduled timer on");
    CSpinEdit1_ = new QSpinBox;
    CSpinEdit1_->setObjectName(QStringLiteral("CSpinEdit1"));
    // No limits of its own, so that a value typed out of bounds is refused with a message at
    // OK rather than changed silently.
    CSpinEdit1_->setRange(INT_MIN, INT_MAX);
    CSpinEdit1_->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    connect(chkAuto_, &QCheckBox::toggled, this, &TfrmSettings::chkAutoClick);
    auto* schedule = new QGroupBox(QStringLiteral("Scheduled conversion"));
    schedule->setObjectName(QStringLiteral("grpSchedule"));
    auto* scheduleRows = new QFormLayout(schedule);
    scheduleRows->addRow(chkAuto_);
    scheduleRows->addRow(QStringLiteral("Timer interval (minutes)"), CSpinEdit1_);

    chkErrMsg_ = makeCheckBox("chkErrMsg", "Create error log");
    chkAppendSrc_ = makeCheckBox("chkAppendSrc", "Append source file name to output file name");
    chkAppendDate_ = makeCheckBox("chkAppendDate", "Append dictation date to output file name");
    chkMoveOutputText_ = makeCheckBox(
        "chkMoveOutputText", "Move text files to output folder instead of Documents folder");

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(top);
    layout->addWidget(schedule);
    for (QCheckBox* box : {chkErrMsg_, chkAppendSrc_, chkAppendDate_, chkMoveOutputText_})
        layout->addWidget(box);
    layout->addStretch(1);
    return page;
}

QWidget* TfrmSettings::buildSpeechPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tabSpeech"));
    chkSpeechRec_ = makeCheckBox("chkSpeechRec", "Enable speech recognition");
    edtSpeechInput_ = makeEdit("edtSpeechInput");
    edtSpeechOutput_ = makeEdit("edtSpeechOutput");
    edtInterface_ = makeEdit("edtInterface");

    auto* speech = new QGroupBox(QStringLiteral("Speech Recognition Settings"));
    speech->setObjectName(QStringLiteral("grpSpeech"));
    auto* speechRows = new QVBoxLayout(speech);
    speechRows->addWidget(chkSpeechRec_);
    addLabelled(speechRows, "Speech engine input folder", edtSpeechInput_);
    addLabelled(speechRows, "Speech engine output folder", edtSpeechOutput_);

    auto* custom = new QGroupBox(QStringLiteral("Custom Interface"));
    custom->setObjectName(QStringLiteral("grpInterface"));
    auto* customRows = new QVBoxLayout(custom);
    addLabelled(customRows, "Custom interface program", edtInterface_);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(speech);
    layout->addWidget(custom);
    layout->addStretch(1);
    return page;
}

void TfrmSettings::selectIndex(QComboBox* selector, int index) {
    selector->setCurrentIndex(index >= 0 && index < selector->count() ? index : -1);
}

void TfrmSettings::loadFrom(const shell::Settings& current) {
    current_ = current;
    edtDictatorID_->setText(fromStored(current.DictatorID));
    CSpinEdit1_->setValue(current.ConvertInterval);
    chkAuto_->setChecked(current.EnableSched);
    chkAutoClick(); // also when the box did not change
    chkErrMsg_->setChecked(current.ShowErrors);
    chkMoveOutputText_->setChecked(current.MoveOutputText);
    chkAppendSrc_->setChecked(current.AppendSource);
    chkAppendDate_->setChecked(current.AppendDate);
    chkSpeechRec_->setChecked(current.SpeechRec);
    edtSpeechInput_->setText(fromStored(current.SpeechInput));
    edtSpeechOutput_->setText(fromStored(current.SpeechOutput));
    edtInterface_->setText(fromStored(current.Interface));
    selectionsAtOpening_ = {cboFormat_->currentIndex(), cboPriority_->currentIndex()};
    pages_->setCurrentIndex(0);
}

// Text in the interval field that is not a whole number reads as 0, and the field shows it.
int TfrmSettings::intervalValue() {
    bool isNumber = false;
    const int value = CSpinEdit1_->cleanText().toInt(&isNumber);
    if (!isNumber) {
        CSpinEdit1_->setValue(0);
        return 0;
    }
    return value;
}

shell::Settings TfrmSettings::edited(const shell::Settings& current) {
    shell::Settings values = current;
    values.VoxFormat = cboFormat_->currentIndex();
    values.Priority = cboPriority_->currentIndex();
    values.DictatorID = toStored(edtDictatorID_->text());
    values.EnableSched = chkAuto_->isChecked();
    values.ConvertInterval = intervalValue();
    values.ShowErrors = chkErrMsg_->isChecked();
    values.MoveOutputText = chkMoveOutputText_->isChecked();
    values.AppendSource = chkAppendSrc_->isChecked();
    values.AppendDate = chkAppendDate_->isChecked();
    values.SpeechRec = chkSpeechRec_->isChecked();
    values.SpeechInput = toStored(edtSpeechInput_->text());
    values.SpeechOutput = toStored(edtSpeechOutput_->text());
    values.Interface = toStored(edtInterface_->text());
    return values;
}

// Only a scheduler that is on needs a valid interval: an interval field the user cannot edit
// (the scheduler is off) must not keep the dialog from closing.
bool TfrmSettings::ValidateInterval(bool schedulerOn, int minutes) {
    if (!schedulerOn || shell::IsValidConvertInterval(minutes))
        return true;
    const QString text = QStringLiteral("The timer interval must be from %1 to %2 minutes.")
                             .arg(shell::kMinConvertInterval)
                             .arg(shell::kMaxConvertInterval);
    showMessage(this, QStringLiteral("Error"), text, PromptIcon::Warning);
    CSpinEdit1_->setFocus();
    CSpinEdit1_->selectAll();
    return false;
}

bool TfrmSettings::ValidateDictatorID(const QString& text) {
    if (shell::IsValidDictatorID(toStored(text)))
        return true;
    showMessage(this, QStringLiteral("Error"), QString::fromUtf8(kInvalidDictatorIdText),
                PromptIcon::Warning);
    return false;
}

// A failed check or a failed write keeps the dialog open, so the user can correct the value
// or cancel; nothing has been applied then.
void TfrmSettings::OKBtnClick() {
    guarded(this, [this] {
        if (!ValidateDictatorID(edtDictatorID_->text()))
            return;
        const shell::Settings values = edited(current_);
        if (!ValidateInterval(values.EnableSched, values.ConvertInterval))
            return;
        if (confirm_)
            confirm_(values);
        current_ = values;
        selectionsAtOpening_ = {cboFormat_->currentIndex(), cboPriority_->currentIndex()};
        QDialog::accept();
    });
}

void TfrmSettings::CancelBtnClick() {
    reject();
}

// The selectors are the program's holders of the two values: Cancel gives back what they held
// when the dialog opened, so that nothing chosen but not confirmed reaches a conversion.
void TfrmSettings::reject() {
    if (selectionsAtOpening_) {
        selectIndex(cboFormat_, selectionsAtOpening_->first);
        selectIndex(cboPriority_, selectionsAtOpening_->second);
    }
    QDialog::reject();
}

void TfrmSettings::setVisible(bool visible) {
    if (visible && !isVisible())
        centreOnScreen(*this);
    QDialog::setVisible(visible);
}

void TfrmSettings::chkAutoClick() {
    CSpinEdit1_->setEnabled(chkAuto_->isChecked());
}

} // namespace ui
