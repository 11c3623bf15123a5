#pragma once

#include <QFont>
#include <QString>

namespace orbisca::ui {

// The windows are set in Verdana; where it is not installed the desktop's own
// sans-serif takes its place, so that no text falls back to a serif face.
QString UiFontFamily();

// A font of the family above, in points.
QFont UiFont(qreal points, bool bold = false, bool underline = false);

}  // namespace orbisca::ui
