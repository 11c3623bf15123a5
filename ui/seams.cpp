#include "ui/seams.h"

#include <QApplication>
#include <QProcess>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

#include "ui/print_module.h"

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
};

// The desktop's printer dialog comes from the printing module, which has made
// the printer by the time the dialog is asked for.
class RealPrintDialogs final : public PrintDialogSeam {
 public:
  bool Exec(QWidget* parent, QPrinter& printer, bool hasSelection) override {
    PrintModule* module = LoadPrintModule(parent);
    return module && module->ExecDialog(parent, printer, hasSelection);
  }
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
Slot<UrlSeam, RealUrls>& UrlSlot() { static Slot<UrlSeam, RealUrls> s; return s; }

}  // namespace

MessageSeam& Messages() { return *MessageSlot().current; }
FileDialogSeam& FileDialogs() { return *FileSlot().current; }
PrintDialogSeam& PrintDialogs() { return *PrintSlot().current; }
UrlSeam& Urls() { return *UrlSlot().current; }

MessageSeam* InstallMessageSeam(MessageSeam* seam) { return MessageSlot().Install(seam); }
FileDialogSeam* InstallFileDialogSeam(FileDialogSeam* seam) { return FileSlot().Install(seam); }
PrintDialogSeam* InstallPrintDialogSeam(PrintDialogSeam* seam) { return PrintSlot().Install(seam); }
UrlSeam* InstallUrlSeam(UrlSeam* seam) { return UrlSlot().Install(seam); }

}  // namespace orbisca::ui
