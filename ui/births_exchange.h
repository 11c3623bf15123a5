#pragma once

// The File menu's exchange of births with other programs: AAF, CSV and JSON
// Lines files, chosen by their extension, through the file dialog seam.

#include <QWidget>
#include <string>

namespace orbisca::ui {

// "Import Births…": the chosen file's births are added to the library in one
// transaction, all or none; when records are bad the user may import the
// others, and is told which were skipped. True when births were added.
bool ImportBirthsInto(QWidget* parent, const std::string& libraryPath);

// "Export Births…": the whole library to the chosen file, whole or not at all.
void ExportBirthsFrom(QWidget* parent, const std::string& libraryPath);

}  // namespace orbisca::ui
