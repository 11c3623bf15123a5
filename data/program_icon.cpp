#include "data/program_icon.h"

#include <QDir>

namespace orbisca {

QIcon ProgramIcon() {
  QIcon icon;
  const QDir sizes(QStringLiteral(":/orbisca/icons"));
  for (const QString& png : sizes.entryList({QStringLiteral("*.png")}, QDir::Files)) {
    icon.addFile(sizes.filePath(png));
  }
  return icon;
}

}  // namespace orbisca
