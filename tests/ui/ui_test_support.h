#pragma once

// Shared by the window tests: seams that answer modal boxes and record what
// the program asked the desktop to open.

#include <QList>
#include <QMessageBox>
#include <QString>
#include <QUrl>
#include <QWidget>

#include "ui/seams.h"

namespace orbisca::ui::testing {

struct ShownMessage {
  QMessageBox::Icon icon;
  QString text;
  bool operator==(const ShownMessage&) const = default;
};

inline QString IconName(QMessageBox::Icon icon) {
  switch (icon) {
    case QMessageBox::Critical: return QStringLiteral("error");
    case QMessageBox::Information: return QStringLiteral("information");
    case QMessageBox::Warning: return QStringLiteral("warning");
    case QMessageBox::Question: return QStringLiteral("question");
    case QMessageBox::NoIcon: break;
  }
  return QStringLiteral("none");
}

// "icon: text" lines, easy to compare and to read in a failure.
inline QStringList Describe(const QList<ShownMessage>& messages) {
  QStringList lines;
  for (const ShownMessage& m : messages) lines << IconName(m.icon) + QStringLiteral(": ") + m.text;
  return lines;
}

class RecordingMessages final : public MessageSeam {
 public:
  void Show(QWidget*, QMessageBox::Icon icon, const QString& text) override { shown.append({icon, text}); }
  bool Ask(QWidget*, const QString& text) override {
    shown.append({QMessageBox::Question, text});
    return false;
  }
  QList<ShownMessage> shown;
};

class RecordingUrls final : public UrlSeam {
 public:
  void Open(const QUrl& url) override { opened.append(url); }
  QList<QUrl> opened;
};

}  // namespace orbisca::ui::testing
