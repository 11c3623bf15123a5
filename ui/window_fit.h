#pragma once

#include <QRect>
#include <QSize>

class QWidget;

namespace orbisca::ui {

// The smallest size at which every control of `window` still shows its
// content: the width its layout needs, and the height its layout needs at that
// width, where word-wrapped texts take the most lines. (A layout's own minimum
// counts a wrapped text as one line, which lets the window crush the rest.)
QSize ContentMinimumSize(const QWidget* window);

// Marks a box that scrolls its content, whose minimum height may give way
// when the window would not fit its screen otherwise.
void MarkAsGivingWay(QWidget* box);

// Gives `window` its content minimum and a size inside `available`, the
// available geometry of its screen. Where the content is taller than that,
// the boxes marked as giving way shrink first (they scroll), so that the
// window's buttons stay on the screen.
void FitWithin(QWidget* window, const QRect& available);

// FitWithin on the available geometry of the window's screen, less the room
// a window manager's frame takes; the minimum then follows the content as
// controls are shown, hidden or change their text.
void FitToScreen(QWidget* window);

// Shows `window` in place of `from`, which it replaces on the screen:
// maximised when `from` is; otherwise at its position and, with `takeSize`,
// at its size or the window's own minimum, whichever is larger, moved back
// inside the screen where it would pass an edge.
void ShowInPlaceOf(QWidget* window, const QWidget* from, bool takeSize);

}  // namespace orbisca::ui
