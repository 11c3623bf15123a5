#include "data/program_icon.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPixmap>
#include <QResource>

namespace orbisca {

// Each size is compiled in uncompressed as "<side>.argb": the premultiplied
// ARGB32 pixels of the rendered PNG (data/icon_pixels.cpp). A pixmap takes an
// image of its own format over without converting it, so the icon's pixmaps
// use the pixels where they lie in the program: nothing decoded, nothing copied.
QIcon ProgramIcon() {
  QIcon icon;
  const QDir sizes(QStringLiteral(":/orbisca/icons"));
  // No name filter: QDir matches one through a regular expression, and
  // compiling it costs start-up time and half a megabyte of memory.
  for (const QString& name : sizes.entryList(QDir::Files)) {
    if (!name.endsWith(QLatin1String(".argb"))) continue;
    const int side = QFileInfo(name).completeBaseName().toInt();
    const QResource pixels(sizes.filePath(name));
    if (side <= 0 || pixels.compressionAlgorithm() != QResource::NoCompression ||
        pixels.size() != qint64{side} * side * 4) {
      continue;
    }
    QImage image(pixels.data(), side, side, side * 4, QImage::Format_ARGB32_Premultiplied);
    icon.addPixmap(QPixmap::fromImage(std::move(image)));
  }
  return icon;
}

}  // namespace orbisca
