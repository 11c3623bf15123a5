#include "ui/focus_ring.h"
#include "ui/frm_save.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QVBoxLayout>

#include "report/atomic_file.h"
#include "report/report.h"
#include "report/rtf.h"
#include "ui/enter_key.h"
#include "ui/fonts.h"
#include "ui/link_watch.h"
#include "ui/printing.h"
#include "ui/report_text.h"
#include "ui/save_path.h"
#include "ui/seams.h"
#include "ui/theme.h"
#include "ui/web_pages.h"
#include "ui/window_fit.h"

namespace orbisca::ui {
namespace {

constexpr double kWindowPointSize = 8.25;
constexpr double kReportPointSize = 9.75;

// The window's first size in average character widths and line heights of
// the report's font, so that it opens in proportion at any resolution.
constexpr int kWidthInChars = 86;
constexpr int kHeightInLines = 34;

// Not the dialog's default: Enter presses a button only when it has the focus,
// never from the report box.
QPushButton* DialogButton(const QString& objectName, const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(objectName);
  button->setAutoDefault(false);
  PressOnEnter(button, button);
  return button;
}

}  // namespace

FrmSave::FrmSave(const AspectTexts& resultTexts, QWidget* parent, const QString& personName)
    : QDialog(parent), report_(BuildReport(resultTexts, HomePageAddress().toStdString())), personName_(personName) {
  setObjectName(QStringLiteral("frmSave"));
  setWindowTitle(kWindowCaption);
  setModal(true);
  setFont(UiFont(kWindowPointSize));

  // The promotional line above the report box, the buttons below it.
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(4);
  layout->addLayout(BuildOfferLine());
  BuildReportBox();
  layout->addWidget(reportBox_, 1);
  layout->addLayout(BuildButtonLine());
  const QFontMetrics metrics(UiFont(kReportPointSize));
  resize(metrics.averageCharWidth() * kWidthInChars, metrics.lineSpacing() * kHeightInLines);
  MarkAsGivingWay(reportBox_);
  FitToScreen(this);
  AddFocusRing(this);

  ShowReport();
}

FrmSave::~FrmSave() { StopWatchingLinks(); }

QLayout* FrmSave::BuildOfferLine() {
  auto* offer = new WebPageLabel(WebPage::HomePage, tr("More astrology software and free reports at"), this);
  offer->setObjectName(QStringLiteral("Label1"));
  offer->setWordWrap(false);
  auto* address = new WebPageLabel(WebPage::HomePage, HomePageAddress(), this);
  address->setObjectName(QStringLiteral("Label14"));
  address->setWordWrap(false);
  StyleAsLink(address, font());
  auto* line = new QHBoxLayout;
  line->addWidget(offer);
  line->addWidget(address);
  line->addStretch(1);
  return line;
}

void FrmSave::BuildReportBox() {
  reportBox_ = new QTextEdit(this);
  reportBox_->setObjectName(QStringLiteral("RTB"));
  reportBox_->setAccessibleName(tr("Report"));
  reportBox_->setReadOnly(true);
  reportBox_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  reportBox_->setAcceptRichText(false);
  reportBox_->setFont(UiFont(kReportPointSize));
  reportBox_->document()->setDefaultFont(UiFont(kReportPointSize));
  StyleScrollBars(reportBox_);
}

QLayout* FrmSave::BuildButtonLine() {
  auto* fullBrand = new WebPageLabel(
      WebPage::FullBrandPage, tr("Want this software with your own name and web address? Click here."), this);
  fullBrand->setObjectName(QStringLiteral("Label2"));
  StyleAsLink(fullBrand, font());
  fullBrand->setWordWrap(true);
  QPushButton* saveButton = DialogButton(QStringLiteral("cmdSave"), tr("&Save"), this);
  QPushButton* printButton = DialogButton(QStringLiteral("cmdPrint"), tr("&Print"), this);
  connect(saveButton, &QPushButton::clicked, this, &FrmSave::Save);
  connect(printButton, &QPushButton::clicked, this, &FrmSave::Print);
  auto* line = new QHBoxLayout;
  line->addWidget(fullBrand, 1);
  line->addWidget(saveButton);
  line->addWidget(printButton);
  return line;
}

// Form_Load: the addresses of the report become links as it is shown.
void FrmSave::ShowReport() {
  StartLinkWatch(reportBox_);
  QTextCursor cursor(reportBox_->document());
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(ToShownText(report_));
  reportBox_->moveCursor(QTextCursor::Start);
}

// Form_Unload.
void FrmSave::StopWatchingLinks() {
  if (LinkWatchActive()) StopLinkWatch();
}

void FrmSave::done(int result) {
  StopWatchingLinks();
  QDialog::done(result);
}

QString FrmSave::AskSavePath() {
  QString declined;  // a name the user would not replace: the dialog opens on it again
  for (;;) {
    QString path = FileDialogs().SaveFileName(
        this, kAppTitle, tr("Rich Text Format (*.rtf)"), QStringLiteral("rtf"),
        declined.isEmpty() ? ProposedSavePath(personName_, QStringLiteral("rtf")) : declined);
    if (path.isEmpty()) return {};  // cancelled: nothing written, nothing said
    // The dialog adds the suffix only to a name without any dot, so a name
    // such as "J.Smith" gets it here.
    if (!path.endsWith(QStringLiteral(".rtf"), Qt::CaseInsensitive)) path += QStringLiteral(".rtf");
    const QFileInfo target(path);
    if (!target.exists() || target.isDir() ||
        Messages().Ask(this, tr("%1 already exists.\nDo you want to replace it?")
                                 .arg(QDir::toNativeSeparators(target.absoluteFilePath())))) {
      RememberSaveFolder(path);
      return path;
    }
    declined = path;  // "No": back to the dialog, as desktop programs do
  }
}

void FrmSave::Save() {
  const QString path = AskSavePath();
  if (path.isEmpty()) return;
  // Written whole or not at all: a failure leaves any earlier file as it was.
  const std::string rtf = EncodeRtf(report_, RtfHalfPoints(kReportPointSize));
  if (const auto reason = WriteFileAtomically(QFile::encodeName(path).toStdString(), rtf)) {
    const QString shownPath = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    Messages().Show(this, QMessageBox::Critical,
                    tr("The report could not be saved to %1.\n%2")
                        .arg(shownPath, QString::fromLocal8Bit(reason->data(), static_cast<qsizetype>(reason->size()))));
  }
}

void FrmSave::Print() {
  PrintDocument(this, PrintDialogs(), *reportBox_->document(), reportBox_->textCursor());
}

void OpenReportWindow(QWidget* parent, const AspectTexts& resultTexts, const QString& personName) {
  FrmSave window(resultTexts, parent, personName);
  Windows().Exec(window);
}

}  // namespace orbisca::ui
