#pragma once

#include <QProxyStyle>

namespace orbisca::ui {

// Qt's Fusion style, as every window of the program is drawn, with two of
// its pictures read the cheap way.
//
// Fusion reads its group-box frame and the menu bar's overflow arrow from
// PNG files in Qt's resources through QImageReader, which, before it takes
// its own PNG reader, opens and asks every image-format plugin installed
// (GIF, ICO, JPEG with libjpeg, SVG): about 1.6 ms and 0.6 MB at start-up,
// for three pictures. Here the frame is read with the format named and
// nothing guessed, and the overflow arrow (made with every menu bar and tool
// bar, shown only when one runs out of room) is made when first drawn. What
// is drawn is the same, pixel for pixel.
class ProgramStyle : public QProxyStyle {
 public:
  ProgramStyle();

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
  QIcon standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const override;
};

}  // namespace orbisca::ui
