#include "ui/frm_save.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>

#include "app/web_pages.h"
#include "report/report.h"
#include "report/rtf.h"
#include "ui/seams.h"

namespace orbisca::ui {

namespace {

constexpr double kReportPointSize = 9.75;

// The window's first size in average character widths and line heights of
// its font, so that it opens in proportion at any resolution.
constexpr int kWidthInChars = 86;
constexpr int kHeightInLines = 34;

// Any line break as CR LF, the form the report is built from.
QString WithCrLf(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return text;
}

// ---- Link watch -----------------------------------------------------------

void MarkLinks(QTextDocument* document) {
  QTextCursor cursor(document);
  cursor.beginEditBlock();
  // Clear the marks first, so that text that stopped being an address
  // loses its link look, then mark every address found.
  for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (!fragment.isValid() || !fragment.charFormat().isAnchor()) continue;
      QTextCharFormat format = fragment.charFormat();
      format.setAnchor(false);
      format.clearProperty(QTextFormat::AnchorHref);
      format.setFontUnderline(false);
      format.clearForeground();
      cursor.setPosition(fragment.position());
      cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
      cursor.setCharFormat(format);
    }
  }
  cursor.endEditBlock();
}

class LinkWatch final : public QObject {
 public:
  LinkWatch(QTextEdit* box, QWidget* window) : box_(box), window_(window) {
    box_->viewport()->installEventFilter(this);
    box_->viewport()->setMouseTracking(true);
    // Addresses are detected in whatever text the box gets while watched.
    connection_ = QObject::connect(box_->document(), &QTextDocument::contentsChange, this,
                                   [this](int, int, int) { Detect(); });
    Detect();
  }

  ~LinkWatch() override {
    if (!box_) return;
    QObject::disconnect(connection_);
    box_->viewport()->removeEventFilter(this);
    box_->viewport()->setCursor(Qt::IBeamCursor);
    busy_ = true;
    MarkLinks(box_->document());  // without detection: every link mark goes
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!box_ || watched != box_->viewport()) return false;
    if (event->type() == QEvent::MouseButtonPress) {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::LeftButton) {
        const QString href = box_->anchorAt(mouse->position().toPoint());
        if (!href.isEmpty()) {
          Urls().Open(QUrl(href));
          return true;
        }
      }
    } else if (event->type() == QEvent::MouseMove) {
      auto* mouse = static_cast<QMouseEvent*>(event);
      const bool overLink = !box_->anchorAt(mouse->position().toPoint()).isEmpty();
      box_->viewport()->setCursor(overLink ? Qt::PointingHandCursor : Qt::IBeamCursor);
    }
    return false;
  }

 private:
  void Detect() {
    if (busy_ || !box_) return;
    busy_ = true;
    QTextDocument* document = box_->document();
    MarkLinks(document);
    const QList<WebAddress> found = FindWebAddresses(document->toPlainText());
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    for (const WebAddress& address : found) {
      QTextCharFormat link;
      link.setAnchor(true);
      link.setAnchorHref(address.url.toString());
      link.setFontUnderline(true);
      link.setForeground(box_->palette().link());
      cursor.setPosition(address.start);
      cursor.setPosition(address.start + address.length, QTextCursor::KeepAnchor);
      cursor.mergeCharFormat(link);
    }
    cursor.endEditBlock();
    busy_ = false;
  }

  QPointer<QTextEdit> box_;
  QPointer<QWidget> window_;
  QMetaObject::Connection connection_;
  bool busy_ = false;
};

LinkWatch*& CurrentWatch() {
  static LinkWatch* watch = nullptr;
  return watch;
}

// ---- Saving ---------------------------------------------------------------

// Writes the file in one piece: the bytes go to a temporary file beside it
// that replaces the target only when everything is written, so a failure
// leaves any earlier file whole and no partial file behind.
bool WriteWholeFile(const QString& path, const QByteArray& bytes, QString* reason) {
  if (QFileInfo(path).isDir()) {
    *reason = QStringLiteral("A folder of that name is in the way.");
    return false;
  }
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    *reason = file.errorString();
    return false;
  }
  // QSaveFile::commit() does not see a failure of its own final flush, so
  // the write and the flush are checked here first.
  if (file.write(bytes) != bytes.size() || !file.flush()) {
    *reason = file.errorString();
    file.cancelWriting();
    return false;
  }
  if (!file.commit()) {
    *reason = file.errorString();
    return false;
  }
  return true;
}

}  // namespace

QList<WebAddress> FindWebAddresses(const QString& text) {
  static const QRegularExpression pattern(QStringLiteral(R"((?<![\w.@/-])(?:https?://|www\.)[^\s<>"{}|\\^`]+)"),
                                          QRegularExpression::CaseInsensitiveOption);
  static const QString trailing = QStringLiteral(".,;:!?'\")]");
  QList<WebAddress> found;
  for (auto it = pattern.globalMatch(text); it.hasNext();) {
    const QRegularExpressionMatch match = it.next();
    QString address = match.captured(0);
    while (!address.isEmpty() && trailing.contains(address.back())) address.chop(1);
    const bool bare = address.startsWith(QStringLiteral("www."), Qt::CaseInsensitive);
    const qsizetype prefix = bare ? 4 : address.indexOf(QStringLiteral("//")) + 2;
    if (address.size() <= prefix) continue;  // a scheme or "www." with nothing after it
    const QUrl url(bare ? QStringLiteral("http://") + address : address, QUrl::TolerantMode);
    if (!url.isValid() || url.host().isEmpty()) continue;
    found.append({static_cast<int>(match.capturedStart(0)), static_cast<int>(address.size()), url});
  }
  return found;
}

void StartLinkWatch(QTextEdit* box, QWidget* window) {
  StopLinkWatch();
  if (!box) return;
  CurrentWatch() = new LinkWatch(box, window);
}

void StopLinkWatch() {
  delete CurrentWatch();
  CurrentWatch() = nullptr;
}

bool LinkWatchActive() { return CurrentWatch() != nullptr; }

// ---- The window -------------------------------------------------------------

QFont frmSave::ReportFont() {
  QFont font(QStringLiteral("Verdana"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(kReportPointSize);
  return font;
}

frmSave::frmSave(const std::array<QString, 7>& resultTexts, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmSave"));
  setWindowTitle(kWindowCaption);
  setModal(true);
  QFont verdana(QStringLiteral("Verdana"));
  verdana.setStyleHint(QFont::SansSerif);
  verdana.setPointSizeF(8.25);
  setFont(verdana);

  QFont linkFont = verdana;
  linkFont.setUnderline(true);

  Label1 = new WebPageLabel(WebPage::HomePage, QStringLiteral("More astrology software and free reports at"), this);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setWordWrap(false);

  Label14 = new WebPageLabel(WebPage::HomePage, HomePageAddress(), this);
  Label14->setObjectName(QStringLiteral("Label14"));
  Label14->setWordWrap(false);
  Label14->setFont(linkFont);
  Label14->setStyleSheet(QStringLiteral("color: #0000c0;"));

  RTB = new QTextEdit(this);
  RTB->setObjectName(QStringLiteral("RTB"));
  RTB->setReadOnly(true);
  RTB->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  RTB->setAcceptRichText(false);
  RTB->setFont(ReportFont());
  RTB->document()->setDefaultFont(ReportFont());

  Label2 = new WebPageLabel(WebPage::FullBrandPage,
                            QStringLiteral("Want this software with your own name and web address? Click here."),
                            this);
  Label2->setObjectName(QStringLiteral("Label2"));
  Label2->setFont(linkFont);
  Label2->setStyleSheet(QStringLiteral("color: #0000c0;"));
  Label2->setWordWrap(true);

  cmdSave = new QPushButton(QStringLiteral("&Save"), this);
  cmdSave->setObjectName(QStringLiteral("cmdSave"));
  cmdSave->setAutoDefault(false);
  connect(cmdSave, &QPushButton::clicked, this, &frmSave::cmdSave_Click);

  cmdPrint = new QPushButton(QStringLiteral("&Print"), this);
  cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
  cmdPrint->setAutoDefault(false);
  connect(cmdPrint, &QPushButton::clicked, this, &frmSave::cmdPrint_Click);

  // The promotional line above the report box, the buttons below it.
  auto* top = new QHBoxLayout;
  top->addWidget(Label1);
  top->addWidget(Label14);
  top->addStretch(1);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(Label2, 1);
  bottom->addWidget(cmdSave);
  bottom->addWidget(cmdPrint);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(4);
  layout->addLayout(top);
  layout->addWidget(RTB, 1);
  layout->addLayout(bottom);
  const QFontMetrics metrics(ReportFont());
  resize(metrics.averageCharWidth() * kWidthInChars, metrics.lineSpacing() * kHeightInLines);

  Form_Load(resultTexts);
}

frmSave::~frmSave() { Form_Unload(); }

void frmSave::Form_Load(const std::array<QString, 7>& resultTexts) {
  StartLinkWatch(RTB, this);
  std::array<std::string, 7> texts;
  for (std::size_t k = 0; k < texts.size(); ++k) texts[k] = WithCrLf(resultTexts[k]).toStdString();
  const std::string report = BuildReport(texts, HomePageAddress().toStdString());
  // The box holds paragraphs; each CR LF of the report is one break.
  QString shown = QString::fromStdString(report);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QTextCursor cursor(RTB->document());
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(shown);
  RTB->moveCursor(QTextCursor::Start);
}

void frmSave::Form_Unload() {
  if (LinkWatchActive()) StopLinkWatch();
}

void frmSave::done(int result) {
  Form_Unload();
  QDialog::done(result);
}

QString frmSave::ReportText() const { return WithCrLf(RTB->toPlainText()); }

void frmSave::cmdSave_Click() {
  QString path = FileDialogs().SaveFileName(this, kAppTitle, QStringLiteral("Rich Text Format (*.rtf)"),
                                            QStringLiteral("rtf"));
  if (path.isEmpty()) return;  // cancelled: nothing written, nothing said
  // The dialog adds the suffix only to a name without any dot, so a name
  // such as "J.Smith" gets it here.
  if (!path.endsWith(QStringLiteral(".rtf"), Qt::CaseInsensitive)) path += QStringLiteral(".rtf");
  const QString shownPath = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
  const QFileInfo target(path);
  if (target.exists() && !target.isDir() &&
      !Messages().Ask(this, QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(shownPath))) {
    return;
  }
  const std::string rtf = EncodeRtf(ReportText().toStdString(), RtfHalfPoints(kReportPointSize));
  QString reason;
  if (!WriteWholeFile(path, QByteArray::fromStdString(rtf), &reason)) {
    Messages().Show(this, QMessageBox::Critical,
                    QStringLiteral("The report could not be saved to %1.\n%2").arg(shownPath, reason));
  }
}

void frmSave::cmdPrint_Click() {
  QPrinter printer(QPrinter::HighResolution);
  const QTextCursor selection = RTB->textCursor();
  const bool hasSelection = selection.hasSelection();
  if (!PrintDialogs().Exec(this, printer, hasSelection)) return;  // cancelled: nothing printed
  if (hasSelection && printer.printRange() == QPrinter::Selection) {
    QTextDocument part;
    part.setDefaultFont(RTB->document()->defaultFont());
    QTextCursor(&part).insertFragment(selection.selection());
    part.print(&printer);
  } else {
    printer.setPrintRange(QPrinter::AllPages);
    RTB->document()->print(&printer);
  }
}

void OpenReportWindow(QWidget* parent, const std::array<QString, 7>& resultTexts) {
  // Built afresh each time and discarded when closed.
  frmSave window(resultTexts, parent);
  window.exec();
}

}  // namespace orbisca::ui
