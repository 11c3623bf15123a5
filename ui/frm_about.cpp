#include "ui/frm_about.h"

#include <QFont>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <QApplication>
#include <QPointer>

#include "ui/fonts.h"
#include "ui/seams.h"
#include "ui/theme.h"
#include "ui/web_pages.h"

namespace orbisca::ui {

namespace {

constexpr double kPointSize = 9;
constexpr double kTitlePointSize = 14;
// The texts wrap at a fixed width, so that the box takes the height they need.
constexpr int kTextWidth = 380;

QLabel* WrappedLabel(QLabel* label, const QString& objectName) {
  label->setObjectName(objectName);
  label->setWordWrap(true);
  label->setFixedWidth(kTextWidth);
  return label;
}

}  // namespace

QPixmap ProgramIconPixmap(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const qreal s = size;
  // The icon's own colours, drawn once here: none of them is a window colour.
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

FrmAbout::FrmAbout(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(kWindowCaption);
  setModal(true);
  setFont(UiFont(kPointSize));
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(BuildTitleLine());
  AddTexts(layout);
  layout->addSpacing(6);
  layout->addLayout(BuildButtonLine());
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

QLayout* FrmAbout::BuildTitleLine() {
  auto* icon = new QLabel(this);
  icon->setObjectName(QStringLiteral("picIcon"));
  icon->setPixmap(ProgramIconPixmap(48));
  icon->setFixedSize(48, 48);
  auto* title = new QLabel(kWindowCaption, this);
  title->setObjectName(QStringLiteral("Label2"));
  title->setFont(UiFont(kTitlePointSize, true));
  auto* line = new QHBoxLayout;
  line->addWidget(icon, 0, Qt::AlignTop);
  line->addSpacing(8);
  line->addWidget(title, 1, Qt::AlignVCenter);
  return line;
}

// The description, a rule, the home page link, the co-branding offer and its link.
void FrmAbout::AddTexts(QVBoxLayout* box) {
  box->addWidget(WrappedLabel(new QLabel(kAboutDescription, this), QStringLiteral("Label1")));
  box->addSpacing(4);
  auto* rule = new QFrame(this);
  rule->setObjectName(QStringLiteral("Line1"));
  rule->setFrameShape(QFrame::HLine);
  rule->setFrameShadow(QFrame::Sunken);
  box->addWidget(rule);
  QLabel* homePage = WrappedLabel(
      new WebPageLabel(WebPage::HomePage, tr("Click here to visit ") + HomePageAddress(), this),
      QStringLiteral("lblHomePage"));
  StyleAsLink(homePage, font());
  box->addWidget(homePage);
  box->addSpacing(4);
  box->addWidget(WrappedLabel(new QLabel(tr("Would you like this software to carry your own name, logo "
                                             "and web address? Offer it to the visitors of your web site."),
                                         this),
                              QStringLiteral("Label3")));
  QLabel* coBrand = WrappedLabel(
      new WebPageLabel(WebPage::CoBrandPage, tr("Click here for more details."), this),
      QStringLiteral("lblCoBrand"));
  StyleAsLink(coBrand, font());
  box->addWidget(coBrand);
}

QLayout* FrmAbout::BuildButtonLine() {
  auto* okButton = new QPushButton(tr("OK"), this);
  okButton->setObjectName(QStringLiteral("cmdOK"));
  okButton->setDefault(true);
  connect(okButton, &QPushButton::clicked, this, &QDialog::accept);  // cmdOK_Click
  auto* line = new QHBoxLayout;
  line->addStretch(1);
  line->addWidget(okButton);
  return line;
}

void ShowAboutBox(QWidget* parent) {
  static QPointer<FrmAbout> box;
  if (!box) {
    box = new FrmAbout(nullptr);
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, box.data(), &QObject::deleteLater);
  }
  box->adjustSize();
  if (parent) {
    const QRect area = parent->window()->frameGeometry();
    box->move(area.center() - QPoint(box->width() / 2, box->height() / 2));
  }
  box->exec();
}

}  // namespace orbisca::ui
