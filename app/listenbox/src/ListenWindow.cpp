#include "listenbox/ListenWindow.h"

#include "listenbox/PortAudioOutput.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMetaObject>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include <cmath>

namespace listenbox {
namespace {

constexpr int kPositionRefreshMs = 200;
constexpr int kSliderStepsPerSecond = 1000;
// Wide enough that a path and its reason wrap into a few lines, not into a column.
constexpr int kMinimumWidth = 420;

QPushButton* makeButton(const char* name, const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QLabel* makeLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

std::unique_ptr<AudioOutput> orDefaultDevice(std::unique_ptr<AudioOutput> output) {
    return output ? std::move(output) : std::make_unique<PortAudioOutput>();
}

} // namespace

ListenWindow::ListenWindow(std::unique_ptr<AudioOutput> output, QWidget* parent)
    : QWidget(parent)
    , session_(orDefaultDevice(std::move(output)))
    , lblFile_(makeLabel("lblFile", this))
    , lblPosition_(makeLabel("lblPosition", this))
    , lblStatus_(makeLabel("lblStatus", this))
    , btnPlay_(makeButton("btnPlay", tr("&Play"), this))
    , btnPause_(makeButton("btnPause", tr("P&ause"), this))
    , btnStop_(makeButton("btnStop", tr("&Stop"), this))
    , sldPosition_(new QSlider(Qt::Horizontal, this)) {
    setObjectName(QStringLiteral("frmListen"));
    setWindowTitle(QStringLiteral("Listenbox"));
    setMinimumWidth(kMinimumWidth);
    sldPosition_->setObjectName(QStringLiteral("sldPosition"));
    sldPosition_->setPageStep(5 * kSliderStepsPerSecond);
    sldPosition_->setSingleStep(kSliderStepsPerSecond);
    lblStatus_->setWordWrap(true);
    lblStatus_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnPlay_);
    buttons->addWidget(btnPause_);
    buttons->addWidget(btnStop_);
    buttons->addStretch();
    buttons->addWidget(lblPosition_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblFile_);
    layout->addWidget(sldPosition_);
    layout->addLayout(buttons);
    layout->addWidget(lblStatus_);

    connect(btnPlay_, &QPushButton::clicked, this, [this] { play(); });
    connect(btnPause_, &QPushButton::clicked, this, [this] { pause(); });
    connect(btnStop_, &QPushButton::clicked, this, [this] { stop(); });
    // A drag seeks where it is let go; a click beside the handle or a key at once.
    connect(sldPosition_, &QSlider::sliderReleased, this, [this] { seekToSlider(); });
    connect(sldPosition_, &QSlider::actionTriggered, this, [this](int action) {
        if (action != QAbstractSlider::SliderMove)
            seekToSlider();
    });
    clock_.setInterval(kPositionRefreshMs);
    connect(&clock_, &QTimer::timeout, this, [this] { stabilize(); });

    // The notice comes on the output's thread: the window takes it on its own.
    QPointer<ListenWindow> self(this);
    session_.setEndNotice([self](uint64_t playback) {
        QMetaObject::invokeMethod(
            self.data(),
            [self, playback] {
                if (self) {
                    self->session_.PlaybackEnded(playback);
                    self->stabilize();
                }
            },
            Qt::QueuedConnection);
    });
    stabilize();
}

bool ListenWindow::openFile(const QString& nativePath, const VoxReading& vox) {
    lblFile_->setText(QFileInfo(nativePath).fileName());
    setWindowTitle(QStringLiteral("Listenbox - ") + QFileInfo(nativePath).fileName());
    std::string error;
    const bool opened = session_.Open(nativePath.toStdString(), vox, error);
    showStatus(
        opened ? QString()
               : tr("Cannot open %1: %2").arg(nativePath, QString::fromStdString(error).trimmed()));
    stabilize();
    return opened;
}

void ListenWindow::play() {
    std::string error;
    showStatus(session_.Play(error)
                   ? QString()
                   : tr("Cannot play: %1").arg(QString::fromStdString(error).trimmed()));
    stabilize();
}

// A message of several lines needs the height its width gives it: the window, sized before the
// message was there, would cut it at the top and the bottom.
void ListenWindow::showStatus(const QString& text) {
    lblStatus_->setText(text);
    layout()->activate();
    const int needed = layout()->totalHeightForWidth(width());
    if (needed > height())
        resize(width(), needed);
}

void ListenWindow::pause() {
    session_.Pause();
    stabilize();
}

void ListenWindow::stop() {
    session_.Stop();
    stabilize();
}

void ListenWindow::seekToSlider() {
    // During an action the slider's position is already the new one; its value not yet.
    session_.Seek(static_cast<double>(sldPosition_->sliderPosition()) / kSliderStepsPerSecond);
    stabilize();
}

void ListenWindow::stabilize() {
    const PlayState state = session_.state();
    btnPlay_->setEnabled(state == PlayState::Stopped || state == PlayState::Paused);
    btnPause_->setEnabled(state == PlayState::Playing || state == PlayState::Paused);
    btnStop_->setEnabled(state == PlayState::Playing || state == PlayState::Paused);
    sldPosition_->setEnabled(state != PlayState::Closed);
    const double duration = session_.DurationSeconds();
    const double position = session_.PositionSeconds();
    sldPosition_->setMaximum(static_cast<int>(std::lround(duration * kSliderStepsPerSecond)));
    if (!sldPosition_->isSliderDown())
        sldPosition_->setValue(static_cast<int>(std::lround(position * kSliderStepsPerSecond)));
    lblPosition_->setText(QString::fromStdString(FormatSeconds(position)) + QStringLiteral(" / ") +
                          QString::fromStdString(FormatSeconds(duration)));
    if (state == PlayState::Playing)
        clock_.start();
    else
        clock_.stop();
}

} // namespace listenbox
