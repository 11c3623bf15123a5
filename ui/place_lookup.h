#pragma once

#include <QString>
#include <QUrl>

namespace orbisca::ui {

// The place-lookup aid: it hands the query to a web search in the desktop's
// default browser, where the user reads the coordinates off the results.
class PlaceLookup {
 public:
  // The search address for a query.
  static QUrl SearchUrl(const QString& query);

  // Opens the search for `query`. Returns whether the request was handed on
  // (callers ignore it).
  bool Lookup(const QString& query);
};

}  // namespace orbisca::ui
