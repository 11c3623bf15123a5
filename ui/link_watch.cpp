#include "ui/link_watch.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include "ui/seams.h"

namespace orbisca::ui {
namespace {

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
  explicit LinkWatch(QTextEdit* box) : box_(box) {
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
  QMetaObject::Connection connection_;
  bool busy_ = false;
};

LinkWatch*& CurrentWatch() {
  static LinkWatch* watch = nullptr;
  return watch;
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

void StartLinkWatch(QTextEdit* box) {
  StopLinkWatch();
  if (!box) return;
  CurrentWatch() = new LinkWatch(box);
}

void StopLinkWatch() {
  delete CurrentWatch();
  CurrentWatch() = nullptr;
}

bool LinkWatchActive() { return CurrentWatch() != nullptr; }

}  // namespace orbisca::ui
