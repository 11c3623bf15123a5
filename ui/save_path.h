#pragma once

#include <QSettings>
#include <QString>

namespace orbisca::ui {

// The program's settings, kept across runs: ~/.config/orbisca/orbisca.conf.
QSettings ProgramSettings();

// Where a save dialog opens: a file named after the person ("Ada Lovelace"
// gives "ada-lovelace.rtf"), in the folder of the last file saved (kept
// across runs), or in the user's Documents folder the first time.
QString ProposedSavePath(const QString& personName, const QString& suffix);

// Keeps the folder of a file the user chose to save, for the next dialog.
void RememberSaveFolder(const QString& savedPath);

}  // namespace orbisca::ui
