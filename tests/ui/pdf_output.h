// What the tests that print or save a PDF share: a printer dialog that prints
// to a PDF file, and what poppler reads back from one.
#pragma once

#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include "ui/seams.h"

namespace orbisca::ui::testing {

// Prints to a PDF file instead of a printer, choosing the given range.
class PdfPrintDialogs : public PrintDialogSeam {
 public:
  bool Exec(QWidget*, QPrinter& printer, bool hasSelection) override {
    offeredSelection.append(hasSelection);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    printer.setPrintRange(range);
    return accept;
  }
  QString pdfPath;
  QPrinter::PrintRange range = QPrinter::AllPages;
  bool accept = true;
  QList<bool> offeredSelection;
};

// A poppler tool's standard output on a PDF file, or "<tool failed>".
inline QString PopplerOutput(const QString& tool, QStringList arguments) {
  QProcess process;
  process.start(tool, arguments);
  if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
    return QLatin1Char('<') + tool + QStringLiteral(" failed>");
  return QString::fromUtf8(process.readAllStandardOutput());
}

// The text of a PDF file, without the page numbers that Qt prints at the
// foot of each page.
inline QString PdfText(const QString& pdf) {
  // Compatibility normalisation undoes the typographic ligatures (fi, fl).
  QString text = PopplerOutput(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf,
                                                             QStringLiteral("-")})
                     .normalized(QString::NormalizationForm_KC);
  static const QRegularExpression pageNumber(QStringLiteral("^\\s*\\d+\\s*$"), QRegularExpression::MultilineOption);
  return text.remove(pageNumber);
}

// Each page's size as pdfinfo gives it ("595.28 x 841.89 pts (A4)"), in order.
inline QStringList PdfPageSizes(const QString& pdf) {
  const QString info = PopplerOutput(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"),
                                                                 QStringLiteral("-l"), QStringLiteral("99"), pdf});
  static const QRegularExpression pageSize(QStringLiteral("^Page +\\d+ size: +(.*)$"),
                                           QRegularExpression::MultilineOption);
  QStringList sizes;
  for (const QRegularExpressionMatch& m : pageSize.globalMatch(info)) sizes << m.captured(1).trimmed();
  return sizes;
}

// The share of a PDF page's pixels that are dark, drawn by poppler at 40 dpi
// into `folder`; -1 when it cannot be drawn. Text drawn as outlines has no
// text to read back, but it darkens the page.
inline double PdfPageInk(const QString& pdf, int page, const QString& folder) {
  const QString root = folder + QStringLiteral("/ink");
  const QString number = QString::number(page);
  if (PopplerOutput(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("40"), QStringLiteral("-f"),
                                                 number, QStringLiteral("-l"), number, QStringLiteral("-singlefile"),
                                                 QStringLiteral("-png"), pdf, root})
          .startsWith(QLatin1Char('<')))
    return -1;
  const QImage image(root + QStringLiteral(".png"));
  if (image.isNull()) return -1;
  qint64 dark = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) dark += qGray(image.pixel(x, y)) < 128;
  return static_cast<double>(dark) / (static_cast<double>(image.width()) * image.height());
}

}  // namespace orbisca::ui::testing
