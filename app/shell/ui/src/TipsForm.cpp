#include "ui/TipsForm.h"

#include "ui/Captions.h"
#include "ui/Guard.h"
#include "ui/Launcher.h"
#include "ui/WindowPlacement.h"

#include "config/config_store.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {
namespace {

const QColor kTipsBackground(228, 228, 228);

QFont tipFont() {
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(12);
    return font;
}

QLabel* makeTipLabel(const QString& text) {
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    label->setFont(tipFont());
    label->setTextFormat(Qt::PlainText);
    return label;
}

QString displayedAddress() {
    QString shown = kMakerWebAddress;
    shown.remove(QStringLiteral("https://"));
    if (shown.endsWith(QLatin1Char('/')))
        shown.chop(1);
    return shown;
}

} // namespace

LinkLabel::LinkLabel(const QString& text, QString address, QWidget* parent)
    : QLabel(text, parent)
    , address_(std::move(address)) {
    setObjectName(QStringLiteral("lblLink"));
    setCursor(Qt::PointingHandCursor);
    QFont underlined = tipFont();
    underlined.setUnderline(true);
    setFont(underlined);
    paintAs(false);
}

void LinkLabel::paintAs(bool pressed) {
    pressed_ = pressed;
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, pressed ? Qt::red : Qt::blue);
    setPalette(colours);
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        paintAs(true);
    QLabel::mousePressEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && pressed_) {
        openExternally(address_.toStdString());
        paintAs(false);
    }
    QLabel::mouseReleaseEvent(event);
}

const QStringList& TfrmTips::tipTexts() {
    static const QStringList texts = {
        QStringLiteral("You can import wave files directly into the Dovrane Dictation System "
                       "using the Quorvel Import Utility."),
        QStringLiteral("Up to 99 input and output directories can be specified by selecting the "
                       "View | Options menu option. "),
        QStringLiteral("You can import voice files from digital handheld recorders."),
        QStringLiteral("The Quorvel Import Utility will name imported files with the Dovrane "
                       "naming convention."),
        QStringLiteral("You can import voice files from Windows Explorer by dragging and dropping "
                       "the files into the Quorvel Import Utility window."),
        QStringLiteral("Importing can be scheduled to run periodically."),
    };
    return texts;
}

TfrmTips::TfrmTips(std::string configPath, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::CustomizeWindowHint)
    , configPath_(std::move(configPath))
    , chkTips_(new QCheckBox(QStringLiteral("Show this window at startup")))
    , btnContinue_(new QPushButton(QStringLiteral("Continue..."))) {
    setObjectName(QStringLiteral("frmTips"));
    setWindowTitle(QStringLiteral("Quorvel Import Utility Tips"));
    setFixedSize(459, 343);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, kTipsBackground);
    setPalette(colours);

    auto* heading = new QLabel(QStringLiteral("Did you know..."));
    heading->setObjectName(QStringLiteral("lblHeading"));
    QFont display(QStringLiteral("Serif"));
    display.setStyleHint(QFont::Serif);
    display.setPixelSize(26);
    display.setBold(true);
    display.setItalic(true);
    heading->setFont(display);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 12, 18, 12);
    layout->setSpacing(6);
    layout->addWidget(heading);
    for (const QString& tip : tipTexts())
        layout->addWidget(makeTipLabel(tip));
    layout->addWidget(buildLinkLine());
    layout->addStretch(1);

    chkTips_->setObjectName(QStringLiteral("chkTips"));
    chkTips_->setChecked(false);
    btnContinue_->setObjectName(QStringLiteral("btnContinue"));
    connect(btnContinue_, &QPushButton::clicked, this,
            [this] { guarded(this, [this] { btnContinueClick(); }); });
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(chkTips_);
    bottom->addStretch(1);
    bottom->addWidget(btnContinue_);
    layout->addLayout(bottom);
    // Made default only inside its dialog, so that it stays the default (see the settings dialog).
    btnContinue_->setDefault(true);
}

QWidget* TfrmTips::buildLinkLine() {
    auto* line = new QWidget;
    auto* row = new QHBoxLayout(line);
    row->setContentsMargins(0, 0, 0, 0);
    QLabel* lead = makeTipLabel(QStringLiteral("You can visit Quorvel's web site at"));
    lead->setWordWrap(false);
    row->addWidget(lead);
    link_ = new LinkLabel(displayedAddress(), kMakerWebAddress);
    row->addWidget(link_);
    row->addStretch(1);
    return line;
}

void TfrmTips::setVisible(bool visible) {
    if (visible && !isVisible())
        centreOnScreen(*this);
    QDialog::setVisible(visible);
}

void TfrmTips::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        guarded(this, [this] { FormShow(); });
}

void TfrmTips::FormShow() {
    chkTips_->setChecked(shell::ConfigStore(configPath_).ReadTipsCheckBox());
}

void TfrmTips::btnContinueClick() {
    shell::ConfigStore(configPath_).WriteTipsFlag(chkTips_->isChecked());
    accept();
}

} // namespace ui
