#include "ui/ImageList.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace ui {
namespace {

using Painter = std::function<void(QPainter&)>;

const QColor kOutline(70, 70, 70);
const QColor kPaper(252, 252, 252);
const QColor kGreen(46, 139, 62);
const QColor kAmber(222, 150, 20);
const QColor kBlue(36, 94, 178);
const QColor kFolder(232, 186, 68);
const QColor kSteel(112, 120, 132);
const QColor kRed(200, 40, 36);

// Each picture is drawn at 32 x 32 and scaled, so the shapes stay smooth at 16 x 16.
QPixmap render(const Painter& draw, int size) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        draw(painter);
    }
    return pixmap.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// A dictation file: a page with a folded corner and a few sound bars on it.
void drawPage(QPainter& p, QPointF origin) {
    QPainterPath page;
    page.moveTo(origin + QPointF(0, 0));
    page.lineTo(origin + QPointF(13, 0));
    page.lineTo(origin + QPointF(19, 6));
    page.lineTo(origin + QPointF(19, 25));
    page.lineTo(origin + QPointF(0, 25));
    page.closeSubpath();
    p.setPen(QPen(kOutline, 1.6));
    p.setBrush(kPaper);
    p.drawPath(page);
    p.drawLine(origin + QPointF(13, 0), origin + QPointF(13, 6));
    p.drawLine(origin + QPointF(13, 6), origin + QPointF(19, 6));
    p.setPen(QPen(kSteel, 2.0, Qt::SolidLine, Qt::RoundCap));
    const int heights[] = {4, 9, 6, 11, 5};
    for (int i = 0; i < 5; ++i) {
        const qreal x = origin.x() + 4 + i * 3;
        const qreal mid = origin.y() + 15;
        p.drawLine(QPointF(x, mid - heights[i] / 2.0), QPointF(x, mid + heights[i] / 2.0));
    }
}

void drawBadge(QPainter& p, const QColor& colour) {
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(colour);
    p.drawEllipse(QRectF(17, 17, 14, 14));
}

void drawWaiting(QPainter& p) {
    drawPage(p, {3, 2});
    drawBadge(p, kAmber);
    p.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(24, 24), QPointF(24, 19.5));
    p.drawLine(QPointF(24, 24), QPointF(27.5, 25.5));
}

void drawFailed(QPainter& p) {
    drawPage(p, {3, 2});
    drawBadge(p, kRed);
    p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(24, 19.5), QPointF(24, 24.5));
    p.drawPoint(QPointF(24, 27.8));
}

void drawCheck(QPainter& p, qreal dx, qreal dy) {
    p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath tick;
    tick.moveTo(dx + 20.5, dy + 24);
    tick.lineTo(dx + 23, dy + 27);
    tick.lineTo(dx + 28, dy + 20.5);
    p.drawPath(tick);
}

void drawConverted(QPainter& p) {
    drawPage(p, {3, 2});
    drawBadge(p, kGreen);
    drawCheck(p, 0, 0);
}

void drawArrow(QPainter& p, QPointF tip) {
    QPainterPath arrow;
    arrow.moveTo(tip);
    arrow.lineTo(tip + QPointF(-8, -8));
    arrow.lineTo(tip + QPointF(-8, -4));
    arrow.lineTo(tip + QPointF(-16, -4));
    arrow.lineTo(tip + QPointF(-16, 4));
    arrow.lineTo(tip + QPointF(-8, 4));
    arrow.lineTo(tip + QPointF(-8, 8));
    arrow.closeSubpath();
    p.setPen(QPen(Qt::white, 1.4, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(kGreen);
    p.drawPath(arrow);
}

void drawConvertAll(QPainter& p) {
    drawPage(p, {8, 1});
    drawPage(p, {3, 5});
    drawArrow(p, {31, 22});
}

void drawConvertSelected(QPainter& p) {
    drawPage(p, {3, 3});
    drawArrow(p, {31, 22});
}

void drawDirectories(QPainter& p) {
    p.setPen(QPen(QColor(160, 118, 20), 1.6));
    p.setBrush(QColor(214, 164, 50));
    QPainterPath back;
    back.moveTo(2, 7);
    back.lineTo(11, 7);
    back.lineTo(14, 10);
    back.lineTo(29, 10);
    back.lineTo(29, 26);
    back.lineTo(2, 26);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(kFolder);
    QPainterPath front;
    front.moveTo(2, 26);
    front.lineTo(6, 14);
    front.lineTo(31, 14);
    front.lineTo(29, 26);
    front.closeSubpath();
    p.drawPath(front);
}

void drawOptions(QPainter& p) {
    const QPointF centre(16, 16);
    p.setPen(QPen(QColor(70, 76, 86), 1.4));
    p.setBrush(kSteel);
    QPainterPath gear;
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const qreal angle = (i * 180.0 / teeth) - 90.0;
        const qreal radius = (i % 2 == 0) ? 14.0 : 10.5;
        QLineF ray(centre, centre + QPointF(radius, 0));
        ray.setAngle(angle - 11.25);
        const QPointF a = ray.p2();
        ray.setAngle(angle + 11.25);
        const QPointF b = ray.p2();
        if (i == 0)
            gear.moveTo(a);
        else
            gear.lineTo(a);
        gear.lineTo(b);
    }
    gear.closeSubpath();
    gear.addEllipse(centre, 4.5, 4.5);
    gear.setFillRule(Qt::OddEvenFill);
    p.drawPath(gear);
}

void drawRoundSign(QPainter& p) {
    QRadialGradient shade(QPointF(12, 10), 20);
    shade.setColorAt(0, kBlue.lighter(140));
    shade.setColorAt(1, kBlue);
    p.setPen(QPen(kBlue.darker(130), 1.4));
    p.setBrush(shade);
    p.drawEllipse(QRectF(2, 2, 28, 28));
}

// Drawn as shapes, not font glyphs, so they look the same whatever fonts are installed.
void drawHelp(QPainter& p) {
    drawRoundSign(p);
    p.setPen(QPen(Qt::white, 3.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath hook;
    hook.moveTo(11.5, 12.5);
    hook.cubicTo(11.5, 6.5, 21, 6.5, 20.5, 12);
    hook.cubicTo(20.2, 15.5, 16, 15.5, 16, 19.5);
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(16, 24.5), 2.2, 2.2);
}

void drawAbout(QPainter& p) {
    drawRoundSign(p);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(16, 9), 2.4, 2.4);
    p.drawRoundedRect(QRectF(13.8, 13, 4.4, 12.5), 1.2, 1.2);
}

} // namespace

ImageList::ImageList() {
    const Painter painters[kCount] = {
        drawWaiting, drawConverted, drawConvertAll, drawConvertSelected, drawDirectories,
        drawOptions, drawHelp,      drawAbout,      drawFailed};
    for (const Painter& draw : painters) {
        QIcon icon;
        icon.addPixmap(render(draw, kSize));
        icon.addPixmap(render(draw, 2 * kSize));
        images_.append(icon);
    }
}

QIcon ImageList::image(int number) const {
    if (number < 1 || number > count())
        return {};
    return images_.at(number - 1);
}

} // namespace ui
