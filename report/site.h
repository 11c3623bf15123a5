#pragma once

#include <string_view>

namespace orbisca {

// Base address of the maker's web site, ending in '/', chosen when the program
// is configured. Every page address of the program is derived from it.
std::string_view SiteBaseAddress();

}  // namespace orbisca
