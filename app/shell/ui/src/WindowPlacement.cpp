#include "ui/WindowPlacement.h"

#include <algorithm>

namespace ui {
namespace {

bool topEdgeReachable(const QRect& window, const QRect& screen) {
    if (window.top() < screen.top() || window.top() > screen.bottom())
        return false;
    const int overlap =
        std::min(window.right(), screen.right()) - std::max(window.left(), screen.left()) + 1;
    return overlap >= std::min(kMinReachable, window.width());
}

// The frame moved up into the screen, and shrunk to its height when taller.
QRect keepBottomOnScreen(const QRect& frame, const QRect& screen) {
    QRect kept(frame.topLeft(), QSize(frame.width(), std::min(frame.height(), screen.height())));
    if (kept.bottom() > screen.bottom())
        kept.moveBottom(screen.bottom());
    return kept;
}

QRect moveOntoScreen(const QRect& frame, const QRect& screen) {
    QRect placed(frame.topLeft(), frame.size().boundedTo(screen.size()));
    placed.moveLeft(std::clamp(placed.left(), screen.left(), screen.right() - placed.width() + 1));
    placed.moveTop(std::clamp(placed.top(), screen.top(), screen.bottom() - placed.height() + 1));
    return placed;
}

} // namespace

QRect placeOnScreens(const QRect& stored, const QList<QRect>& availableScreens,
                     const QMargins& frame) {
    if (availableScreens.isEmpty())
        return stored;
    const QRect framed = stored.marginsAdded(frame);
    for (const QRect& screen : availableScreens) {
        if (topEdgeReachable(framed, screen))
            return keepBottomOnScreen(framed, screen).marginsRemoved(frame);
    }
    return moveOntoScreen(framed, availableScreens.front()).marginsRemoved(frame);
}

} // namespace ui

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace ui {

void centreOnScreen(QWidget& window) {
    const QScreen* screen =
        window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

} // namespace ui
