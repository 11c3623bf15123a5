#include "ui/focus_ring.h"
#include "ui/frm_about.h"

#include <QFont>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <QApplication>
#include <QPointer>

#include "data/program_icon.h"
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
  label->setFixedWidth(UiScaled(kTextWidth));
  return label;
}

}  // namespace

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
  AddFocusRing(this);
}

QLayout* FrmAbout::BuildTitleLine() {
  auto* icon = new QLabel(this);
  icon->setObjectName(QStringLiteral("picIcon"));
  // The same emblem as the window icon and the installed icons.
  icon->setPixmap(ProgramIcon().pixmap(48));
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
  Windows().Exec(*box);
}

}  // namespace orbisca::ui
