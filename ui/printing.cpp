#include "ui/printing.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPrinter>
#include <QSvgRenderer>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include <memory>

#include "ui/seams.h"

namespace orbisca::ui {

void PrintDocument(QWidget* parent, PrintDialogSeam& dialogs, QTextDocument& document, const QTextCursor& selection) {
  QPrinter printer(QPrinter::HighResolution);
  const bool hasSelection = selection.hasSelection();
  if (!dialogs.Exec(parent, printer, hasSelection)) return;  // cancelled: nothing printed
  if (hasSelection && printer.printRange() == QPrinter::Selection) {
    QTextDocument part;
    part.setDefaultFont(document.defaultFont());
    QTextCursor(&part).insertFragment(selection.selection());
    part.print(&printer);
  } else {
    printer.setPrintRange(QPrinter::AllPages);
    document.print(&printer);
  }
}

std::optional<QString> PrintSvgPages(QWidget* parent, PrintDialogSeam& dialogs, const std::vector<std::string>& pages) {
  const auto tr = [](const char* text) { return QCoreApplication::translate("orbisca::ui::Printing", text); };
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageOrientation(QPageLayout::Portrait);
  printer.setFullPage(true);  // the pages draw their own margins
  if (!dialogs.Exec(parent, printer, false)) return std::nullopt;  // cancelled: nothing printed
  printer.setPrintRange(QPrinter::AllPages);
  // Every page is read before the printer starts, so that a page that cannot
  // be read leaves nothing half printed.
  std::vector<std::unique_ptr<QSvgRenderer>> renderers;
  for (const std::string& page : pages) {
    renderers.push_back(std::make_unique<QSvgRenderer>(QByteArray::fromStdString(page)));
    if (!renderers.back()->isValid()) return tr("A page could not be read.");
    renderers.back()->setAspectRatioMode(Qt::KeepAspectRatio);
  }
  QPainter painter;
  if (!painter.begin(&printer)) return tr("The printer could not be started.");
  const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
  for (std::size_t i = 0; i < renderers.size(); ++i) {
    if (i > 0 && !printer.newPage()) break;
    renderers[i]->render(&painter, QRectF(QPointF(0, 0), paper.size()));
  }
  if (!painter.end() || printer.printerState() == QPrinter::Error) return tr("The printer reported an error.");
  return std::nullopt;
}

}  // namespace orbisca::ui
