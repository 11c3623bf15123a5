#include "ui/fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace orbisca::ui {

QString UiFontFamily() {
  static const QString family = [] {
    const QString verdana = QStringLiteral("Verdana");
    if (QFontDatabase::families().contains(verdana, Qt::CaseInsensitive)) return verdana;
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
  }();
  return family;
}

QFont UiFont(qreal points, bool bold, bool underline) {
  QFont font(UiFontFamily());
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(points);
  font.setBold(bold);
  font.setUnderline(underline);
  return font;
}

}  // namespace orbisca::ui
