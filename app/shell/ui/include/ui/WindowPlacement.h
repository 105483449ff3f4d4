// Where a window with a stored geometry may open: a stored position that lies off every
// screen (a monitor removed, a resolution lowered) would open the window where the user cannot
// reach its title bar.
#pragma once

#include <QList>
#include <QMargins>
#include <QRect>

namespace ui {

// The stored client-area rectangle, placed so that its window frame (the client area plus
// `frame`, the title bar above it) can be reached. When the frame's top edge is not reachable on
// any screen area, the window is moved (and shrunk when larger than the screen) onto the first
// one. On the screen where it is reachable, a frame whose bottom edge would lie below the screen
// is moved up, and shrunk to the screen's height when taller. Reachable: the top edge lies
// within a screen's height and at least kMinReachable pixels of it overlap the screen
// horizontally.
QRect placeOnScreens(const QRect& stored, const QList<QRect>& availableScreens,
                     const QMargins& frame = {});

inline constexpr int kMinReachable = 50;

} // namespace ui

class QWidget;

namespace ui {

// Centres a top-level window on the screen it is on (the primary screen before it is shown).
void centreOnScreen(QWidget& window);

} // namespace ui
