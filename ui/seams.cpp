#include "ui/seams.h"

#include <QAbstractPrintDialog>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>

namespace orbisca::ui {
namespace {

class RealMessages final : public MessageSeam {
 public:
  void Show(QWidget* parent, QMessageBox::Icon icon, const QString& text) override {
    QMessageBox box(icon, kAppTitle, text, QMessageBox::Ok, parent);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);  // to copy from
    box.exec();
  }
  bool Ask(QWidget* parent, const QString& text) override {
    QMessageBox box(QMessageBox::Question, kAppTitle, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
  }
};

class RealFileDialogs final : public FileDialogSeam {
 public:
  QString SaveFileName(QWidget* parent, const QString& caption, const QString& filter,
                       const QString& defaultSuffix, const QString& selectedPath) override {
    QFileDialog dialog(parent, caption, QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    // With several formats offered, the chosen filter's suffix is the one added.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& chosen) {
      const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(chosen);
      if (m.hasMatch()) dialog.setDefaultSuffix(m.captured(1));
    });
    if (!selectedPath.isEmpty()) {
      dialog.setDirectory(QFileInfo(selectedPath).absolutePath());
      dialog.selectFile(QFileInfo(selectedPath).fileName());
    }
    // The caller asks before overwriting, once it knows the final name.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
  }
  QString OpenFileName(QWidget* parent, const QString& caption, const QString& filter) override {
    return QFileDialog::getOpenFileName(parent, caption, QString(), filter);
  }
};

// The printer dialog without its page-range controls. Turning the range
// option off is not enough with CUPS: Qt then shows the range anyway, for the
// print server to apply, and a file printer ignores it. The controls are
// hidden each time the dialog is shown, after Qt has set them up.
class RangelessPrintDialog final : public QPrintDialog {
 public:
  using QPrintDialog::QPrintDialog;

  void setVisible(bool visible) override {
    QPrintDialog::setVisible(visible);
    if (!visible) return;
    // The object names of Qt's own print-settings form.
    for (const char* name : {"printRange", "from", "label_3", "to", "pagesRadioButton", "pagesLineEdit"}) {
      if (auto* control = findChild<QWidget*>(QLatin1String(name))) control->hide();
    }
  }
};

class RealPrintDialogs final : public PrintDialogSeam {
 public:
  bool Exec(QWidget* parent, QPrinter& printer, bool hasSelection) override {
    RangelessPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, hasSelection);
    dialog.setPrintRange(hasSelection ? QAbstractPrintDialog::Selection : QAbstractPrintDialog::AllPages);
    return dialog.exec() == QDialog::Accepted;
  }
};

class RealWindows final : public WindowSeam {
 public:
  void Exec(QDialog& window) override { window.exec(); }
};


// Through xdg-open, the desktop's way to open an address. When it cannot be
// started or reports a failure, the address is shown so that it can be copied.
class RealUrls final : public UrlSeam {
 public:
  void Open(const QUrl& url) override {
    auto* opener = new QProcess(qApp);
    opener->setStandardOutputFile(QProcess::nullDevice());
    opener->setStandardErrorFile(QProcess::nullDevice());
    const auto failed = [opener, url] {
      opener->deleteLater();
      Messages().Show(QApplication::activeWindow(), QMessageBox::Warning,
                      QObject::tr("No web browser could be opened. The address is:\n%1")
                          .arg(url.toString(QUrl::FullyEncoded)));
    };
    QObject::connect(opener, &QProcess::errorOccurred, opener, [failed](QProcess::ProcessError error) {
      if (error == QProcess::FailedToStart) failed();
    });
    QObject::connect(opener, &QProcess::finished, opener, [opener, failed](int code, QProcess::ExitStatus status) {
      if (status != QProcess::NormalExit || code != 0) {
        failed();
      } else {
        opener->deleteLater();
      }
    });
    opener->start(QStringLiteral("xdg-open"), {url.toString(QUrl::FullyEncoded)});
  }
};

class RealClock final : public ClockSeam {
 public:
  QDateTime Now() override { return QDateTime::currentDateTimeUtc(); }
};

template <class Seam, class Real>
struct Slot {
  Real real;
  Seam* current = &real;
  Seam* Install(Seam* seam) {
    Seam* previous = current;
    current = seam ? seam : &real;
    return previous == &real ? nullptr : previous;
  }
};

Slot<MessageSeam, RealMessages>& MessageSlot() { static Slot<MessageSeam, RealMessages> s; return s; }
Slot<FileDialogSeam, RealFileDialogs>& FileSlot() { static Slot<FileDialogSeam, RealFileDialogs> s; return s; }
Slot<PrintDialogSeam, RealPrintDialogs>& PrintSlot() { static Slot<PrintDialogSeam, RealPrintDialogs> s; return s; }
Slot<WindowSeam, RealWindows>& WindowSlot() { static Slot<WindowSeam, RealWindows> s; return s; }
Slot<UrlSeam, RealUrls>& UrlSlot() { static Slot<UrlSeam, RealUrls> s; return s; }
Slot<ClockSeam, RealClock>& ClockSlot() { static Slot<ClockSeam, RealClock> s; return s; }

}  // namespace

MessageSeam& Messages() { return *MessageSlot().current; }
FileDialogSeam& FileDialogs() { return *FileSlot().current; }
PrintDialogSeam& PrintDialogs() { return *PrintSlot().current; }
WindowSeam& Windows() { return *WindowSlot().current; }
UrlSeam& Urls() { return *UrlSlot().current; }
ClockSeam& Clock() { return *ClockSlot().current; }

MessageSeam* InstallMessageSeam(MessageSeam* seam) { return MessageSlot().Install(seam); }
FileDialogSeam* InstallFileDialogSeam(FileDialogSeam* seam) { return FileSlot().Install(seam); }
PrintDialogSeam* InstallPrintDialogSeam(PrintDialogSeam* seam) { return PrintSlot().Install(seam); }
WindowSeam* InstallWindowSeam(WindowSeam* seam) { return WindowSlot().Install(seam); }
UrlSeam* InstallUrlSeam(UrlSeam* seam) { return UrlSlot().Install(seam); }
ClockSeam* InstallClockSeam(ClockSeam* seam) { return ClockSlot().Install(seam); }

}  // namespace orbisca::ui
