#pragma once

#include <QFont>
#include <QString>

namespace orbisca::ui {

// The windows are set in Verdana; where it is not installed the desktop's own
// sans-serif takes its place, so that no text falls back to a serif face.
QString UiFontFamily();

// How much larger than their own sizes the windows set their texts: 1 unless
// the desktop's font is larger than the windows' largest body text (9.75 pt);
// then the 9-pt body text takes the desktop's size and every other text grows
// in proportion, so that a reader who asked for larger type gets it here too.
// Read afresh for every window, so a window built after the desktop's font
// changed follows it.
qreal UiFontScale();

// A font of the family above, of `points` grown by UiFontScale().
QFont UiFont(qreal points, bool bold = false, bool underline = false);

// A length in pixels grown by UiFontScale(), for the few widths that are set
// in pixels beside text.
int UiScaled(int pixels);

}  // namespace orbisca::ui
