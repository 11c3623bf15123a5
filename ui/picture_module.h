#pragma once

#include <QString>
#include <QStringList>

class QByteArray;
class QImage;
class QWidget;

namespace orbisca::ui {

// Drawing the chart picture lives in a module of its own (orbisca-picture.so,
// ui/svg_picture.cpp) that the program loads when the "Chart" page is first
// built or the picture first drawn: Qt's SVG libraries are then neither loaded
// nor relocated at start-up. This is all the program knows of it.
class PictureModule {
 public:
  virtual ~PictureModule() = default;
  // A widget that shows an SVG drawing scaled to its size, in proportion.
  virtual QWidget* NewView(QWidget* parent) = 0;
  // Shows `svg` in `view`, a widget made by NewView.
  virtual void Show(QWidget* view, const QByteArray& svg) = 0;
  // `svg` drawn on white into an image `pixels` square.
  virtual QImage Draw(const QByteArray& svg, int pixels) = 0;
};

// The module, loaded on the first call that finds it. When it cannot be
// loaded the result is nullptr and `reason` says why; the next call tries
// again.
PictureModule* LoadPictureModule(QString& reason);

// Where the module is looked for: the program's module folders
// (ModuleFolders). A test may name the only folder to search instead
// (empty restores the default).
void SetPictureModuleFolder(const QString& folder);

}  // namespace orbisca::ui
