// Where a window with a stored geometry may open: a stored position that lies off every
// screen (a monitor removed, a resolution lowered) would open the window where the user cannot
// reach its title bar.
#pragma once

#include <QList>
#include <QRect>

namespace ui {

// The stored client-area rectangle, moved (and shrunk when larger than the screen) onto the
// first available screen area when its top edge is not reachable on any of them; otherwise
// unchanged. Reachable: the top edge lies within a screen's height and at least kMinReachable
// pixels of it overlap the screen horizontally.
QRect placeOnScreens(const QRect& stored, const QList<QRect>& availableScreens);

inline constexpr int kMinReachable = 50;

} // namespace ui

class QWidget;

namespace ui {

// Centres a top-level window on the screen it is on (the primary screen before it is shown).
void centreOnScreen(QWidget& window);

} // namespace ui
