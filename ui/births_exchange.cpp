#include "ui/births_exchange.h"

#include <QFileInfo>
#include <QStringList>
#include <optional>
#include <vector>

#include "births/exchange.h"
#include "births/library.h"
#include "ui/births_dialog.h"
#include "ui/save_path.h"
#include "ui/seams.h"

namespace orbisca::ui {
namespace {

QString FromEngine(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString ExchangeFilter() { return QObject::tr("AAF (*.aaf);;CSV (*.csv);;JSON Lines (*.jsonl)"); }

// The first lines of a long list of problems, and how many more there are.
QString FirstLines(const std::vector<std::string>& lines, std::size_t shown = 10) {
  QStringList text;
  for (std::size_t i = 0; i < lines.size() && i < shown; ++i) text << FromEngine(lines[i]);
  if (lines.size() > shown) text << QObject::tr("and %1 more").arg(lines.size() - shown);
  return text.join(QLatin1Char('\n'));
}

// "1 bad record", "2 bad records".
QString Records(std::size_t count) {
  return count == 1 ? QObject::tr("1 bad record") : QObject::tr("%1 bad records").arg(count);
}

}  // namespace

// "Import Births…": all the file's births or none; when records are bad the
// user may import the others, and is told which were skipped.
bool ImportBirthsInto(QWidget* parent, const std::string& libraryPath) {
  const QString path = FileDialogs().OpenFileName(parent, QObject::tr("Import Births"),
                                                  QObject::tr("Births (*.aaf *.csv *.jsonl);;") + ExchangeFilter());
  if (path.isEmpty()) return false;
  const std::optional<births::FileFormat> format = births::FormatOfPath(path.toStdString());
  if (!format) {
    Messages().Show(parent, QMessageBox::Information,
                    QObject::tr("Births are imported from .aaf, .csv and .jsonl files; %1 is none of them.")
                        .arg(QFileInfo(path).fileName()));
    return false;
  }
  std::string error;
  const std::optional<std::string> text = births::ReadWholeFile(path.toStdString(), error);
  if (!text) {
    Messages().Show(parent, QMessageBox::Critical, QObject::tr("%1 could not be read: %2.").arg(path, FromEngine(error)));
    return false;
  }
  try {
    births::Library library(libraryPath, births::Access::Write);
    births::ImportReport report = births::ImportText(library, *text, *format, false);
    if (report.refused) {
      if (!Messages().Ask(parent, QObject::tr("Nothing was imported: %1 of %2 cannot be read as births.\n%3\n\n"
                                   "Skip the bad records and import the others?")
                                    .arg(Records(report.messages.size()), QFileInfo(path).fileName(),
                                         FirstLines(report.messages)))) {
        return false;
      }
      report = births::ImportText(library, *text, *format, true);
    }
    QString done = QObject::tr("%1 imported from %2.").arg(BirthsCount(report.added), QFileInfo(path).fileName());
    if (report.skipped > 0) done += QLatin1Char(' ') + QObject::tr("%1 skipped.").arg(Records(report.skipped));
    if (!report.messages.empty()) done += QStringLiteral("\n") + FirstLines(report.messages);
    Messages().Show(parent, QMessageBox::Information, done);
    return report.added > 0;
  } catch (const births::LibraryError& e) {
    Messages().Show(parent, QMessageBox::Critical, LibraryMessage(QObject::tr("Nothing was imported"), e));
    return false;
  }
}

// "Export Births…": the whole library, in the format of the file's extension.
void ExportBirthsFrom(QWidget* parent, const std::string& libraryPath) {
  if (!QFileInfo::exists(QString::fromStdString(libraryPath))) {
    Messages().Show(parent, QMessageBox::Information, QObject::tr("No birth is saved yet: there is nothing to export."));
    return;
  }
  const QString path = FileDialogs().SaveFileName(parent, QObject::tr("Export Births"), ExchangeFilter(), QStringLiteral("aaf"),
                                                  ProposedSavePath(QObject::tr("births"), QStringLiteral("aaf")));
  if (path.isEmpty()) return;
  const std::optional<births::FileFormat> format = births::FormatOfPath(path.toStdString());
  if (!format) {
    Messages().Show(parent, QMessageBox::Information,
                    QObject::tr("Births are exported to .aaf, .csv and .jsonl files; %1 is none of them.")
                        .arg(QFileInfo(path).fileName()));
    return;
  }
  if (QFileInfo::exists(path) &&
      !Messages().Ask(parent, QObject::tr("%1 already exists. Replace it?").arg(QFileInfo(path).fileName()))) {
    return;
  }
  try {
    const births::Library library(libraryPath, births::Access::Read);
    if (const std::optional<std::string> failure = births::ExportFile(library, path.toStdString(), *format)) {
      Messages().Show(parent, QMessageBox::Critical, QObject::tr("The births were not exported: %1.").arg(FromEngine(*failure)));
      return;
    }
    RememberSaveFolder(path);
    Messages().Show(parent, QMessageBox::Information,
                    QObject::tr("%1 exported to %2.")
                        .arg(BirthsCount(static_cast<std::size_t>(library.Count())), QFileInfo(path).fileName()));
  } catch (const births::LibraryError& e) {
    Messages().Show(parent, QMessageBox::Critical, LibraryMessage(QObject::tr("The births were not exported"), e));
  }
}


}  // namespace orbisca::ui
