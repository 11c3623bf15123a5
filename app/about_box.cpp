#include "app/about_box.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

#include "ui/frm_about.h"

namespace orbisca {

void ShowAboutBox(QWidget* parent) {
  // One box for the program: created on first use, kept between showings.
  static QPointer<ui::frmAbout> box;
  if (!box) {
    box = new ui::frmAbout(nullptr);
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, box.data(), &QObject::deleteLater);
  }
  box->adjustSize();
  if (parent) {
    const QRect area = parent->window()->frameGeometry();
    box->move(area.center() - QPoint(box->width() / 2, box->height() / 2));
  }
  box->exec();
}

}  // namespace orbisca
