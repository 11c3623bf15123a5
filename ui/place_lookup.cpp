#include "ui/place_lookup.h"

#include "ui/seams.h"

namespace orbisca::ui {

QUrl PlaceLookup::SearchUrl(const QString& query) {
  QUrl url(QStringLiteral("https://duckduckgo.com/"));
  // Every character but the unreserved ones is escaped, so '+', '&' or '#' in
  // a place name reach the search as typed.
  url.setQuery(QStringLiteral("q=") + QString::fromLatin1(QUrl::toPercentEncoding(query)), QUrl::StrictMode);
  return url;
}

bool PlaceLookup::Lookup(const QString& query) {
  const QUrl url = SearchUrl(query);
  if (!url.isValid()) return false;
  Urls().Open(url);
  return true;
}

}  // namespace orbisca::ui
