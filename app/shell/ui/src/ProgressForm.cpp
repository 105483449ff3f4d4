#include "ui/ProgressForm.h"

#include "ui/MiddleElidedLabel.h"
#include "ui/WindowPlacement.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace ui {
namespace {

// Long paths are shortened in the middle rather than cut at the window's edge.
QLabel* addLabel(QVBoxLayout* layout, const char* name, const QString& text) {
    auto* label = new MiddleElidedLabel(text);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    // Long paths must not widen the fixed-size window.
    label->setMinimumWidth(0);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    layout->addWidget(label);
    return label;
}

} // namespace

TfrmProgress::TfrmProgress(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint) {
    setObjectName(QStringLiteral("frmProgress"));
    setWindowTitle(QStringLiteral("Conversion Progress"));
    setFixedSize(315, 164);

    auto* bevel = new QFrame;
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameShape(QFrame::StyledPanel);
    bevel->setFrameShadow(QFrame::Sunken);
    auto* inner = new QVBoxLayout(bevel);
    inner->setContentsMargins(12, 8, 12, 8);
    inner->setSpacing(3);
    lblFileName_ = addLabel(inner, "lblFileName", QStringLiteral("FileName:"));
    gauge_ = new QProgressBar;
    gauge_->setObjectName(QStringLiteral("MMGauge1"));
    gauge_->setRange(0, 100);
    gauge_->setValue(0);
    gauge_->setFixedWidth(265);
    gauge_->setFixedHeight(16);
    gauge_->setTextVisible(true);
    inner->addWidget(gauge_, 0, Qt::AlignHCenter);
    lblInput_ = addLabel(inner, "lblInput", QStringLiteral("Input Directory:"));
    lblOutput_ = addLabel(inner, "lblOutput", QStringLiteral("Output Directory:"));
    lblStatus_ = addLabel(inner, "lblStatus", QStringLiteral("Converting: "));

    cancelBtn_ = new QPushButton(QStringLiteral("Cancel"));
    cancelBtn_->setObjectName(QStringLiteral("CancelBtn"));
    cancelBtn_->setAutoDefault(false);
    connect(cancelBtn_, &QPushButton::clicked, this, &TfrmProgress::CancelBtnClick);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancelBtn_);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(bevel, 1);
    layout->addLayout(buttons);
}

void TfrmProgress::setVisible(bool visible) {
    if (visible && !isVisible())
        centreOnScreen(*this);
    QDialog::setVisible(visible);
}

void TfrmProgress::CancelBtnClick() {
    emit cancelRequested();
    hide();
}

void TfrmProgress::closeEvent(QCloseEvent* event) {
    // FormCloseQuery: always refused.
    event->ignore();
}

} // namespace ui
