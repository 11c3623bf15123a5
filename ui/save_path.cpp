#include "ui/save_path.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace orbisca::ui {
namespace {

const QString kSaveFolderKey = QStringLiteral("saveFolder");

// Letters and digits, lower case; each run of anything else one hyphen.
QString FileNameOf(const QString& personName) {
  QString name;
  for (const QChar c : personName.toLower()) {
    if (c.isLetterOrNumber()) {
      name += c;
    } else if (!name.isEmpty() && !name.endsWith(QLatin1Char('-'))) {
      name += QLatin1Char('-');
    }
  }
  while (name.endsWith(QLatin1Char('-'))) name.chop(1);
  return name.isEmpty() ? QStringLiteral("orbisca") : name;
}

}  // namespace

QSettings ProgramSettings() {
  // The settings file's organisation and program.
  return QSettings(QStringLiteral("orbisca"), QStringLiteral("orbisca"));
}

QString ProposedSavePath(const QString& personName, const QString& suffix) {
  QSettings settings = ProgramSettings();
  QString folder = settings.value(kSaveFolderKey).toString();
  if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
    folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  }
  if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = QDir::homePath();
  return QDir(folder).filePath(FileNameOf(personName) + QLatin1Char('.') + suffix);
}

void RememberSaveFolder(const QString& savedPath) {
  QSettings settings = ProgramSettings();
  settings.setValue(kSaveFolderKey, QFileInfo(savedPath).absolutePath());
}

}  // namespace orbisca::ui
