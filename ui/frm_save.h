#pragma once

#include <QString>
#include <array>

class QWidget;

namespace orbisca::ui {

// Opens the report window modally over `parent` with the plain text (CR LF
// line breaks) of the seven result boxes, in tab order (Conjunction,
// Semi Sextile, Sextile, Square, Trine, Quincunx, Opposition).
void OpenReportWindow(QWidget* parent, const std::array<QString, 7>& resultTexts);

}  // namespace orbisca::ui
