#pragma once

// The text elements of the pictures and the sheet, read back for the tests.

#include <regex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orbisca {

// The picture's text elements with their position, size and text.
struct SvgText {
  std::string cls;
  double x, y, size;
  std::string text;
};

inline std::vector<SvgText> TextsOf(const std::string& svg) {
  static const std::regex kText(
      R"re(<text x="([-0-9.]+)" y="([-0-9.]+)" font-size="([0-9.]+)" class="([a-z ]+)"[^>]*>([^<]*)</text>)re");
  std::vector<SvgText> out;
  for (auto it = std::sregex_iterator(svg.begin(), svg.end(), kText); it != std::sregex_iterator(); ++it) {
    const std::smatch& m = *it;
    out.push_back({m[4], std::stod(m[1]), std::stod(m[2]), std::stod(m[3]), m[5]});
  }
  return out;
}

// The text as drawn, from its escaped form in the SVG.
inline std::string Unescaped(const std::string& text) {
  const std::pair<std::string_view, char> kEntities[] = {
      {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}, {"&amp;", '&'}};
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    bool entity = false;
    for (const auto& [name, character] : kEntities) {
      if (text.compare(i, name.size(), name) == 0) {
        out += character;
        i += name.size();
        entity = true;
        break;
      }
    }
    if (!entity) out += text[i++];
  }
  return out;
}

}  // namespace orbisca
