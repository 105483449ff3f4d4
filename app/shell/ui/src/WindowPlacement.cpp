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

} // namespace

QRect placeOnScreens(const QRect& stored, const QList<QRect>& availableScreens) {
    if (availableScreens.isEmpty())
        return stored;
    for (const QRect& screen : availableScreens) {
        if (topEdgeReachable(stored, screen))
            return stored;
    }
    const QRect& screen = availableScreens.front();
    QRect placed(stored.topLeft(), stored.size().boundedTo(screen.size()));
    placed.moveLeft(std::clamp(placed.left(), screen.left(), screen.right() - placed.width() + 1));
    placed.moveTop(std::clamp(placed.top(), screen.top(), screen.bottom() - placed.height() + 1));
    return placed;
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
