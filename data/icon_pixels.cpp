// Build tool: turns one rendered PNG of the icon into its bare pixels, as a
// QImage of format ARGB32_Premultiplied holds them in memory (rows of 32-bit
// 0xAARRGGBB words, colour premultiplied by alpha, native byte order, no
// padding): the form of a pixmap with alpha on the raster back end. The
// program's pixmaps then use the compiled-in pixels where they lie, with no
// decoding and no copy at start-up; decoding the seven PNGs took about 2.5 ms
// before the first window could be mapped.
//
//   icon_pixels IN.png OUT.argb
#include <QFile>
#include <QImage>
#include <QSaveFile>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: icon_pixels IN.png OUT.argb\n");
    return 2;
  }
  QImage image;
  if (!image.load(QFile::decodeName(argv[1]), "PNG")) {
    std::fprintf(stderr, "icon_pixels: cannot read %s as PNG\n", argv[1]);
    return 1;
  }
  // The conversion a pixmap makes of the decoded PNG, so the program's
  // pixmaps hold exactly the pixels they held when made from the PNGs.
  image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  if (image.width() != image.height() || image.bytesPerLine() != image.width() * 4) {
    std::fprintf(stderr, "icon_pixels: %s is not a square icon\n", argv[1]);
    return 1;
  }
  QSaveFile out(QFile::decodeName(argv[2]));
  const auto size = static_cast<qint64>(image.sizeInBytes());
  if (!out.open(QIODevice::WriteOnly) || out.write(reinterpret_cast<const char*>(image.constBits()), size) != size ||
      !out.flush() || !out.commit()) {
    std::fprintf(stderr, "icon_pixels: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
