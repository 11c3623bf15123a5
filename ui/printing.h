#pragma once

#include <QString>
#include <optional>
#include <string>
#include <vector>

class QTextCursor;
class QTextDocument;
class QWidget;

namespace orbisca::ui {

class PrintDialogSeam;

// Asks `dialogs` for a printer, then prints `document`, or only the text of
// `selection` when the user chose the selection. Nothing when cancelled.
void PrintDocument(QWidget* parent, PrintDialogSeam& dialogs, QTextDocument& document, const QTextCursor& selection);

// Asks `dialogs` for a printer, offering A4 upright, then prints each SVG
// document as a page of its own, scaled to the paper whole. Nothing when
// cancelled; the reason when the printer could not be started or a page could
// not be read or printed.
std::optional<QString> PrintSvgPages(QWidget* parent, PrintDialogSeam& dialogs, const std::vector<std::string>& pages);

}  // namespace orbisca::ui
