#include "ui/report_text.h"

namespace orbisca::ui {

QString ToShownText(std::string_view text) {
  QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return shown;
}

std::string FromShownText(const QString& text) {
  QString engine = text;
  engine.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  engine.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  engine.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return engine.toStdString();
}

}  // namespace orbisca::ui
