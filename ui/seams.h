#pragma once

#include <QDateTime>
#include <QMessageBox>
#include <QString>
#include <QUrl>

#include "orbisca/version.h"

class QDialog;
class QPrinter;
class QWidget;

namespace orbisca::ui {

// Every modal dialog, every URL the program opens and the clock go through one
// of these seams, so that tests can answer them without a person and fix the
// day. The real ones are used unless a test installs its own.

class MessageSeam {
 public:
  virtual ~MessageSeam() = default;
  // A modal message with one OK button, captioned with the application title.
  virtual void Show(QWidget* parent, QMessageBox::Icon icon, const QString& text) = 0;
  // A modal Yes/No question; true for Yes.
  virtual bool Ask(QWidget* parent, const QString& text) = 0;
};

class FileDialogSeam {
 public:
  virtual ~FileDialogSeam() = default;
  // The file-save dialog, opened on `selectedPath` when it is not empty; the
  // chosen path, or an empty string on cancel.
  virtual QString SaveFileName(QWidget* parent, const QString& caption, const QString& filter,
                               const QString& defaultSuffix, const QString& selectedPath) = 0;
  // The file-open dialog for an existing file; the chosen path, or an empty
  // string on cancel (also for a seam that does not answer it).
  virtual QString OpenFileName(QWidget* parent, const QString& caption, const QString& filter) {
    (void)parent, (void)caption, (void)filter;
    return {};
  }
};

class PrintDialogSeam {
 public:
  virtual ~PrintDialogSeam() = default;
  // The printer dialog for `printer`, with no page-range choice; the selection
  // option is offered and pre-chosen only when `hasSelection`. True when the
  // user accepts; the printer then holds the choices made.
  virtual bool Exec(QWidget* parent, QPrinter& printer, bool hasSelection) = 0;
};

class WindowSeam {
 public:
  virtual ~WindowSeam() = default;
  // Shows one of the program's own modal windows (the About box, the report
  // window) and returns when it is closed.
  virtual void Exec(QDialog& window) = 0;
};

class UrlSeam {
 public:
  virtual ~UrlSeam() = default;
  // Asks the desktop to open the address and returns at once; when no
  // browser could be opened, a message says so and shows the address.
  virtual void Open(const QUrl& url) = 0;
};

class ClockSeam {
 public:
  virtual ~ClockSeam() = default;
  // The present moment: the system clock, or the moment a test fixed.
  virtual QDateTime Now() = 0;
};

MessageSeam& Messages();
FileDialogSeam& FileDialogs();
PrintDialogSeam& PrintDialogs();
WindowSeam& Windows();
UrlSeam& Urls();
ClockSeam& Clock();

// Installs a replacement (nullptr restores the real one); returns the previous.
MessageSeam* InstallMessageSeam(MessageSeam* seam);
FileDialogSeam* InstallFileDialogSeam(FileDialogSeam* seam);
PrintDialogSeam* InstallPrintDialogSeam(PrintDialogSeam* seam);
WindowSeam* InstallWindowSeam(WindowSeam* seam);
UrlSeam* InstallUrlSeam(UrlSeam* seam);
ClockSeam* InstallClockSeam(ClockSeam* seam);

// Installs a seam for the lifetime of the guard (tests).
template <class Seam, Seam* (*Install)(Seam*)>
class ScopedSeam {
 public:
  explicit ScopedSeam(Seam* seam) : previous_(Install(seam)) {}
  ~ScopedSeam() { Install(previous_); }
  ScopedSeam(const ScopedSeam&) = delete;
  ScopedSeam& operator=(const ScopedSeam&) = delete;

 private:
  Seam* previous_;
};
using ScopedMessageSeam = ScopedSeam<MessageSeam, InstallMessageSeam>;
using ScopedFileDialogSeam = ScopedSeam<FileDialogSeam, InstallFileDialogSeam>;
using ScopedPrintDialogSeam = ScopedSeam<PrintDialogSeam, InstallPrintDialogSeam>;
using ScopedWindowSeam = ScopedSeam<WindowSeam, InstallWindowSeam>;
using ScopedUrlSeam = ScopedSeam<UrlSeam, InstallUrlSeam>;
using ScopedClockSeam = ScopedSeam<ClockSeam, InstallClockSeam>;

// The application title, caption of message boxes.
inline const QString kAppTitle = QStringLiteral("Orbisca");
// Caption of every window.
inline const QString kWindowCaption = kAppTitle + QStringLiteral(" v") + QLatin1String(kVersion);

}  // namespace orbisca::ui
