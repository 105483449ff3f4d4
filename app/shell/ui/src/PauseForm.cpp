#include "ui/PauseForm.h"

#include "ui/MiddleElidedLabel.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace ui {
namespace {

constexpr int kFrameIntervalMs = 60;

void drawFolder(QPainter& p, QRectF box) {
    p.setPen(QPen(QColor(160, 118, 20), 1.2));
    p.setBrush(QColor(232, 186, 68));
    QPainterPath folder;
    folder.moveTo(box.left(), box.top() + 4);
    folder.lineTo(box.left() + box.width() * 0.4, box.top() + 4);
    folder.lineTo(box.left() + box.width() * 0.5, box.top());
    folder.lineTo(box.right(), box.top());
    folder.lineTo(box.right(), box.bottom());
    folder.lineTo(box.left(), box.bottom());
    folder.closeSubpath();
    p.drawPath(folder);
}

void drawSheet(QPainter& p, QPointF centre) {
    p.setPen(QPen(QColor(70, 70, 70), 1.0));
    p.setBrush(QColor(252, 252, 252));
    p.drawRect(QRectF(centre.x() - 7, centre.y() - 9, 14, 18));
    p.setPen(QPen(QColor(120, 128, 140), 1.0));
    for (int line = 0; line < 4; ++line)
        p.drawLine(QPointF(centre.x() - 4, centre.y() - 5 + line * 3.5),
                   QPointF(centre.x() + 4, centre.y() - 5 + line * 3.5));
}

} // namespace

FileCopyAnimation::FileCopyAnimation(QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("anmPause"));
    setFixedSize(289, 60);
    timer_.setInterval(kFrameIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &FileCopyAnimation::advance);
}

void FileCopyAnimation::start() {
    frame_ = kFirstFrame;
    timer_.start();
    update();
}

void FileCopyAnimation::stop() {
    timer_.stop();
}

void FileCopyAnimation::advance() {
    frame_ = frame_ >= kLastFrame ? kFirstFrame : frame_ + 1;
    update();
}

void FileCopyAnimation::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF source(20, 22, 44, 30);
    const QRectF target(width() - 64, 22, 44, 30);
    drawFolder(p, source);
    drawFolder(p, target);
    // The sheet flies on an arc from the source folder to the target folder.
    const qreal t = qreal(frame_ - kFirstFrame) / (kLastFrame - kFirstFrame);
    const qreal x = source.center().x() + t * (target.center().x() - source.center().x());
    const qreal y = source.center().y() - 4 * t * (1 - t) * 20;
    drawSheet(p, QPointF(x, y));
}

TfrmPause::TfrmPause(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::CustomizeWindowHint)
    , animation_(new FileCopyAnimation)
    , lblCurFile_(new MiddleElidedLabel(QStringLiteral("File:"))) {
    setObjectName(QStringLiteral("frmPause"));
    setWindowTitle(QStringLiteral("File Transfer"));
    setFixedSize(328, 133);
    lblCurFile_->setObjectName(QStringLiteral("lblCurFile"));
    lblCurFile_->setTextFormat(Qt::PlainText);
    lblCurFile_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* wait = new QLabel(QStringLiteral("Importing files.  Please wait ..."));
    wait->setObjectName(QStringLiteral("lblWait"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(19, 8, 19, 10);
    layout->addWidget(animation_, 0, Qt::AlignHCenter);
    layout->addWidget(lblCurFile_);
    layout->addWidget(wait);
}

} // namespace ui
