// The picture module (orbisca-picture.so): everything that needs Qt's SVG
// libraries, loaded by the program when the chart picture is first shown or
// drawn (ui/picture_module.h).
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QSvgWidget>

#include "orbisca/version.h"
#include "ui/picture_module.h"

namespace orbisca::ui {
namespace {

class SvgPicture final : public PictureModule {
 public:
  QWidget* NewView(QWidget* parent) override {
    auto* view = new QSvgWidget(parent);
    view->renderer()->setAspectRatioMode(Qt::KeepAspectRatio);
    return view;
  }

  void Show(QWidget* view, const QByteArray& svg) override {
    auto* svgView = qobject_cast<QSvgWidget*>(view);
    if (!svgView) return;
    svgView->load(svg);
    // Loading gives the view a new drawing, with the mode of a new renderer.
    svgView->renderer()->setAspectRatioMode(Qt::KeepAspectRatio);
  }

  QImage Draw(const QByteArray& svg, int pixels) override {
    QSvgRenderer renderer(svg);
    QImage image(pixels, pixels, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    return image;
  }
};

}  // namespace
}  // namespace orbisca::ui

// Asked first: the program calls nothing else of a module of another version.
extern "C" Q_DECL_EXPORT const char* orbisca_picture_module_version() { return orbisca::kVersion; }

extern "C" Q_DECL_EXPORT orbisca::ui::PictureModule* orbisca_picture_module() {
  static orbisca::ui::SvgPicture picture;
  return &picture;
}
