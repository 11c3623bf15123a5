#include "ui/fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>
#include <cmath>

namespace orbisca::ui {
namespace {

constexpr qreal kBodyPoints = 9;            // the windows' body text
constexpr qreal kLargestBodyPoints = 9.75;  // the report's text, the largest body size

// The desktop's font size in points; a font given in pixels is converted at
// the screen's logical resolution.
qreal DesktopPoints() {
  const QFont desktop = QApplication::font();
  if (desktop.pointSizeF() > 0) return desktop.pointSizeF();
  return QFontInfo(desktop).pointSizeF();
}

}  // namespace

QString UiFontFamily() {
  static const QString family = [] {
    const QString verdana = QStringLiteral("Verdana");
    if (QFontDatabase::families().contains(verdana, Qt::CaseInsensitive)) return verdana;
    // The family the desktop's font resolves to, by its installed name: a
    // generic name ("Sans Serif") is no family of the font database, and every
    // size and weight asked of it would search fontconfig's substitutes anew.
    return QFontInfo(QFontDatabase::systemFont(QFontDatabase::GeneralFont)).family();
  }();
  return family;
}

qreal UiFontScale() {
  const qreal desktop = DesktopPoints();
  return desktop > kLargestBodyPoints ? desktop / kBodyPoints : 1.0;
}

QFont UiFont(qreal points, bool bold, bool underline) {
  // No style hint: the family is an installed one, so the hint would choose
  // nothing, but it is part of what a font engine is kept by. Without it the
  // desktop's own size of the desktop's family is the engine UiFontFamily
  // loaded, rather than a second engine of the same face.
  QFont font(UiFontFamily());
  font.setPointSizeF(points * UiFontScale());
  font.setBold(bold);
  font.setUnderline(underline);
  return font;
}

int UiScaled(int pixels) { return static_cast<int>(std::lround(pixels * UiFontScale())); }

}  // namespace orbisca::ui
