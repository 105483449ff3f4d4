#include "ui/SettingsForm.h"

#include "config/output_formats.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace ui {
namespace {

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

} // namespace

TfrmSettings::TfrmSettings(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint)
    , pages_(new QTabWidget) {
    setObjectName(QStringLiteral("frmSettings"));
    setWindowTitle(QStringLiteral("Settings"));
    setModal(true);
    setFixedSize(357, 388);

    pages_->setObjectName(QStringLiteral("PageControl1"));
    pages_->addTab(buildGeneralPage(), QStringLiteral("General"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("OKBtn"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("CancelBtn"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Storing and applying the settings comes with the dialog's own module; until then OK
    // behaves as Cancel, so nothing is stored that was not validated.
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_, 1);
    layout->addWidget(buttons);
}

QWidget* TfrmSettings::buildGeneralPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tabGeneral"));
    cboFormat_ = makeSelector("cboFormat", outputFormatTexts());
    cboPriority_ = makeSelector("cboPriority", priorityTexts());
    auto* form = new QFormLayout(page);
    form->addRow(QStringLiteral("Output format: "), cboFormat_);
    form->addRow(QStringLiteral("Priority status:"), cboPriority_);
    return page;
}

void TfrmSettings::selectIndex(QComboBox* selector, int index) {
    selector->setCurrentIndex(index >= 0 && index < selector->count() ? index : -1);
}

} // namespace ui
