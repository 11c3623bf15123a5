#pragma once

// Shared by the window tests: seams that answer modal boxes and record what
// the program asked the desktop to open, and small helpers to reach the
// windows' controls by their object names.

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QUrl>
#include <QWidget>
#include <string_view>

#include "orbisca/version.h"
#include "ui/seams.h"

namespace orbisca::ui::testing {

// The child of `parent` with this object name; a missing one ends the test
// program with its name, since every later step would fail less clearly.
template <class T>
T* Child(QObject& parent, const QString& name) {
  T* child = parent.findChild<T*>(name);
  if (!child) qFatal("no child %s", qPrintable(name));
  return child;
}

// Every window's caption: the program's name and the version of the build
// (the generated header, as the package's version).
inline const QString kCaption = QStringLiteral("Orbisca v") + QLatin1String(kVersion);

// An engine text (UTF-8) as a QString, for comparisons that print their values.
inline QString Text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

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

// Records every message shown and every question asked; questions get the
// `answers` in turn, then `answer`.
class RecordingMessages final : public MessageSeam {
 public:
  void Show(QWidget*, QMessageBox::Icon icon, const QString& text) override { shown.append({icon, text}); }
  bool Ask(QWidget*, const QString& text) override {
    asked.append(text);
    return answers.isEmpty() ? answer : answers.takeFirst();
  }
  QList<ShownMessage> shown;
  QStringList asked;
  QList<bool> answers;
  bool answer = true;
};

// Presses Enter on the widget: the main keyboard's, or the keypad's.
inline void PressEnter(QWidget* widget, bool keypad = false) {
  if (keypad) {
    QTest::keyClick(widget, Qt::Key_Enter, Qt::KeypadModifier);
  } else {
    QTest::keyClick(widget, Qt::Key_Return);
  }
}

class RecordingUrls final : public UrlSeam {
 public:
  void Open(const QUrl& url) override { opened.append(url); }
  QList<QUrl> opened;
};

// A birth as typed into the birth-data form.
struct FormEntries {
  QString name, lonD, lonM, latD, latM;
  int month, day;
  QString year, hour, minute;
  int zone;
  bool west, south, dst;
};

// Types the birth into the form (frmMain's controls, by object name).
inline void FillForm(QWidget& form, const FormEntries& e) {
  Child<QLineEdit>(form, "txtName")->setText(e.name);
  Child<QLineEdit>(form, "txtLonD")->setText(e.lonD);
  Child<QLineEdit>(form, "txtLonM")->setText(e.lonM);
  Child<QLineEdit>(form, "txtLatD")->setText(e.latD);
  Child<QLineEdit>(form, "txtLatM")->setText(e.latM);
  Child<QComboBox>(form, "cboMonth")->setCurrentIndex(e.month - 1);
  Child<QComboBox>(form, "cboDate")->setCurrentIndex(e.day - 1);
  Child<QComboBox>(form, "cboYear")->setCurrentText(e.year);
  Child<QComboBox>(form, "cboHH")->setCurrentText(e.hour);
  Child<QComboBox>(form, "cboMM")->setCurrentText(e.minute);
  Child<QComboBox>(form, "cmbTimeZone")->setCurrentIndex(e.zone);
  form.findChild<QAbstractButton*>(e.west ? "optLong1" : "optLong0")->setChecked(true);
  form.findChild<QAbstractButton*>(e.south ? "optLat1" : "optLat0")->setChecked(true);
  form.findChild<QAbstractButton*>("chkDST")->setChecked(e.dst);
}

}  // namespace orbisca::ui::testing
