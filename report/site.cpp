#include "report/site.h"

#include <string>

#ifndef ORBISCA_SITE_URL
#define ORBISCA_SITE_URL "https://orbisca.example/"
#endif

namespace orbisca {

std::string_view SiteBaseAddress() {
  static const std::string base = [] {
    std::string s = ORBISCA_SITE_URL;
    if (s.empty() || s.back() != '/') s += '/';
    return s;
  }();
  return base;
}

}  // namespace orbisca
