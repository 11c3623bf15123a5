#include "report/svg_text.h"

#include <algorithm>
#include <cstdio>

namespace orbisca::svg {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kEllipsis = 0x2026;

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// Advance widths in ems, rounded up over DejaVu Sans and Verdana, the widest
// common faces: W, M, m, w, @, & and # reach 0.99 em, % 1.08 em, capitals
// 0.79 em, lower case and digits 0.64 em. Bold faces are up to 15% wider.
double WidthEm(char32_t cp) {
  if (cp == U' ') return 0.4;
  if (cp == U'%') return 1.1;
  if (std::u32string_view(U"WMmw@&#").find(cp) != std::u32string_view::npos) return 1.0;
  if (cp >= U'A' && cp <= U'Z') return 0.8;
  if (cp < 0x80) return 0.7;
  return cp >= 0x1F000 ? 1.3 : 1.0;  // pictographs are drawn wider than an em
}

}  // namespace

std::u32string DecodeForXml(std::string_view s) {
  std::u32string out;
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    const int extra = b < 0x80 ? 0 : (b >> 5) == 0x6 ? 1 : (b >> 4) == 0xE ? 2 : (b >> 3) == 0x1E ? 3 : -1;
    char32_t cp = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
    bool ok = extra >= 0 && i + static_cast<std::size_t>(extra) < s.size();
    for (int k = 1; ok && k <= extra; ++k) {
      const auto c = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
      ok = (c & 0xC0) == 0x80;
      cp = (cp << 6) | (c & 0x3F);
    }
    static constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
    ok = ok && cp >= kLeast[std::max(extra, 0)] && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF) &&
         cp != 0xFFFE && cp != 0xFFFF;
    if (!ok) {
      out.push_back(kReplacement);
      ++i;
      continue;
    }
    out.push_back(cp < 0x20 || (cp >= 0x7F && cp < 0xA0) ? U' ' : cp);
    i += static_cast<std::size_t>(extra) + 1;
  }
  return out;
}

std::string EscapedXml(const std::u32string& text) {
  std::string out;
  for (char32_t cp : text) {
    switch (cp) {
      case U'&': out += "&amp;"; break;
      case U'<': out += "&lt;"; break;
      case U'>': out += "&gt;"; break;
      case U'"': out += "&quot;"; break;
      case U'\'': out += "&apos;"; break;
      default: AppendUtf8(out, cp);
    }
  }
  return out;
}

std::string EscapedXml(std::string_view utf8) { return EscapedXml(DecodeForXml(utf8)); }

double WidthEm(const std::u32string& text, bool bold) {
  double em = 0.0;
  for (char32_t cp : text) em += WidthEm(cp);
  return bold ? em * 1.15 : em;
}

FittedText FitText(std::u32string text, double preferredSize, double width, bool bold) {
  const double em = WidthEm(text, bold);
  if (em * preferredSize <= width) return {text, preferredSize};
  if (em * kSmallestText <= width) return {text, width / em};
  const double ellipsis = WidthEm(std::u32string(1, kEllipsis), bold);
  while (!text.empty() && (WidthEm(text, bold) + ellipsis) * kSmallestText > width) text.pop_back();
  text.push_back(kEllipsis);
  return {text, kSmallestText};
}

std::string Number(double v) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.2f", v);
  std::string s = buffer;
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s;
}

std::string TextElement(double x, double y, const FittedText& t, std::string_view attributes) {
  return "<text x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" font-size=\"" + Number(t.size) + "\"" +
         std::string(attributes) + ">" + EscapedXml(t.text) + "</text>\n";
}

std::string DocumentStart(double width, double height, std::string_view title, std::string_view description) {
  const std::string w = Number(width), h = Number(height);
  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  out += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + w + "\" height=\"" + h +
         "\" viewBox=\"0 0 " + w + " " + h + "\" font-family=\"DejaVu Sans, Verdana, sans-serif\">\n";
  out += "<title>" + EscapedXml(title) + "</title>\n";
  out += "<desc>" + EscapedXml(description) + "</desc>\n";
  out += "<rect x=\"0\" y=\"0\" width=\"" + w + "\" height=\"" + h + "\" fill=\"#ffffff\"/>\n";
  return out;
}

}  // namespace orbisca::svg
