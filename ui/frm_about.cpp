#include "ui/frm_about.h"

#include <QFont>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/web_pages.h"
#include "ui/seams.h"

namespace orbisca::ui {

namespace {
constexpr int kTextWidth = 380;
}

QPixmap ProgramIconPixmap(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal s = size;
  // Night-sky disc.
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(24, 32, 82));
  painter.drawEllipse(QRectF(0.02 * s, 0.02 * s, 0.96 * s, 0.96 * s));
  // Orbit, tilted.
  painter.save();
  painter.translate(s / 2, s / 2);
  painter.rotate(-25);
  painter.setPen(QPen(QColor(230, 200, 120), qMax(1.0, s / 32)));
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(QRectF(-0.40 * s, -0.17 * s, 0.80 * s, 0.34 * s));
  // A small body on the orbit.
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(120, 200, 255));
  painter.drawEllipse(QRectF(0.31 * s, -0.07 * s, 0.14 * s, 0.14 * s));
  painter.restore();
  // The central body.
  QRadialGradient sun(QPointF(0.45 * s, 0.45 * s), 0.2 * s);
  sun.setColorAt(0, QColor(255, 240, 160));
  sun.setColorAt(1, QColor(235, 140, 30));
  painter.setBrush(sun);
  painter.drawEllipse(QRectF(0.34 * s, 0.34 * s, 0.32 * s, 0.32 * s));
  return pixmap;
}

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(kWindowCaption);
  setModal(true);
  QFont verdana(QStringLiteral("Verdana"));
  verdana.setStyleHint(QFont::SansSerif);
  verdana.setPointSizeF(9);
  setFont(verdana);

  picIcon = new QLabel(this);
  picIcon->setObjectName(QStringLiteral("picIcon"));
  picIcon->setPixmap(ProgramIconPixmap(48));
  picIcon->setFixedSize(48, 48);

  Label2 = new QLabel(kWindowCaption, this);
  Label2->setObjectName(QStringLiteral("Label2"));
  QFont titleFont = verdana;
  titleFont.setPointSizeF(14);
  titleFont.setBold(true);
  Label2->setFont(titleFont);

  Label1 = new QLabel(kAboutDescription, this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setWordWrap(true);

  Line1 = new QFrame(this);
  Line1->setObjectName(QStringLiteral("Line1"));
  Line1->setFrameShape(QFrame::HLine);
  Line1->setFrameShadow(QFrame::Sunken);

  lblHomePage = new WebPageLabel(WebPage::HomePage,
                                 QStringLiteral("Click here to visit ") + HomePageAddress(), this);
  lblHomePage->setObjectName(QStringLiteral("lblHomePage"));
  QFont linkFont = verdana;
  linkFont.setUnderline(true);
  lblHomePage->setFont(linkFont);
  lblHomePage->setStyleSheet(QStringLiteral("color: #0000c0;"));

  Label3 = new QLabel(QStringLiteral("Would you like this software to carry your own name, logo and web "
                                     "address? Offer it to the visitors of your web site."),
                      this);
  Label3->setObjectName(QStringLiteral("Label3"));
  Label3->setWordWrap(true);

  lblCoBrand = new WebPageLabel(WebPage::CoBrandPage, QStringLiteral("Click here for more details."), this);
  lblCoBrand->setObjectName(QStringLiteral("lblCoBrand"));
  lblCoBrand->setFont(linkFont);
  lblCoBrand->setStyleSheet(QStringLiteral("color: #0000c0;"));

  cmdOK = new QPushButton(QStringLiteral("OK"), this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setDefault(true);
  connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

  auto* top = new QHBoxLayout;
  top->addWidget(picIcon, 0, Qt::AlignTop);
  top->addSpacing(8);
  top->addWidget(Label2, 1, Qt::AlignVCenter);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(cmdOK);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(Label1);
  layout->addSpacing(4);
  layout->addWidget(Line1);
  layout->addWidget(lblHomePage);
  layout->addSpacing(4);
  layout->addWidget(Label3);
  layout->addWidget(lblCoBrand);
  layout->addSpacing(6);
  layout->addLayout(buttons);
  // Wrapped labels at a fixed width, so that the box takes the height the
  // text needs.
  for (QLabel* label : {Label1, static_cast<QLabel*>(lblHomePage), Label3, static_cast<QLabel*>(lblCoBrand)}) {
    label->setFixedWidth(kTextWidth);
  }
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void frmAbout::cmdOK_Click() { accept(); }

}  // namespace orbisca::ui
