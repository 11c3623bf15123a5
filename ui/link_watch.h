#pragma once

#include <QList>
#include <QString>
#include <QUrl>

class QTextEdit;

namespace orbisca::ui {

// A web address found in a text: where it stands and what opening it opens.
struct WebAddress {
  int start = 0;
  int length = 0;
  QUrl url;
};

// The web addresses in `text`: http://, https:// and bare www. addresses
// (opened as http), without trailing punctuation.
QList<WebAddress> FindWebAddresses(const QString& text);

// Link watch of the report box: while on, every web address in `box` shows as
// a link and a left-button press on one opens it through the URL seam.
// One watch for the program; starting it again moves it to the new box.
void StartLinkWatch(QTextEdit* box);
void StopLinkWatch();
bool LinkWatchActive();

}  // namespace orbisca::ui
