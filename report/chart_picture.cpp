#include "report/chart_picture.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

namespace orbisca {
namespace {

constexpr double kCentreLeft = kCellSize;
constexpr double kCentreWidth = 2.0 * kCellSize;
constexpr double kCentrePadding = 12.0;
constexpr double kCellPadding = 5.0;
constexpr double kCaptionHeight = 15.0;  // the sign's name at the top of its cell
constexpr double kSmallestText = 7.0;
constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kEllipsis = 0x2026;

// Decodes UTF-8 into code points. Malformed sequences become U+FFFD; control
// characters, which XML 1.0 does not allow, become spaces.
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

double WidthEm(const std::u32string& text, bool bold) {
  double em = 0.0;
  for (char32_t cp : text) em += WidthEm(cp);
  return bold ? em * 1.15 : em;
}

// The text and the size to draw it in so that it fits the width: the
// preferred size if it fits, a smaller one if that fits at kSmallestText or
// more, else the longest beginning that fits at kSmallestText with an ellipsis.
struct FittedText {
  std::u32string text;
  double size;
};

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

const SignCell* CellOf(int sign) {
  for (const SignCell& c : kSignCells)
    if (c.sign == sign) return &c;
  return nullptr;
}

// One sign's cell: its frame, its caption and its marks one under another,
// smaller when many share the sign.
std::string DrawCell(const SignCell& cell, const std::string& caption, const std::vector<const PictureMark*>& marks) {
  const double left = cell.column * kCellSize;
  const double top = cell.row * kCellSize;
  std::string out = "<rect x=\"" + Number(left) + "\" y=\"" + Number(top) + "\" width=\"" + Number(kCellSize) +
                    "\" height=\"" + Number(kCellSize) + "\" class=\"cell\" fill=\"#fffdf6\" stroke=\"#4a4a4a\" stroke-width=\"1.5\"/>\n";
  if (!caption.empty()) {
    const FittedText t = FitText(DecodeForXml(caption), 9.0, kCellSize - 2.0 * kCellPadding, false);
    out += TextElement(left + kCellPadding, top + 12.0, t, " class=\"caption\" fill=\"#7a7a7a\"");
  }
  if (marks.empty()) return out;
  // Baselines 1.2 sizes apart; the last line's descent (a quarter size) stays
  // inside the cell.
  const double room = kCellSize - kCaptionHeight - kCellPadding;
  const double n = static_cast<double>(marks.size());
  const double size = std::min(13.0, room / (1.2 * (n - 1.0) + 1.25));
  for (std::size_t i = 0; i < marks.size(); ++i) {
    const PictureMark& m = *marks[i];
    const FittedText t =
        FitText(DecodeForXml(m.letters + " " + m.degrees), size, kCellSize - 2.0 * kCellPadding, m.lagna);
    const double baseline = top + kCaptionHeight + size + 1.2 * size * static_cast<double>(i);
    out += TextElement(left + kCellPadding, baseline, t, m.lagna ? " class=\"mark lagna\" fill=\"#a00000\" font-weight=\"bold\"" : " class=\"mark\" fill=\"#1a1a1a\"");
  }
  return out;
}

// A line of the centre: at its preferred size when it fits, else smaller
// down to kCentreSmallest, else broken between words into lines of that size
// (a place's long name wraps rather than losing its end). Only a single word
// too long for the width is fitted as any text is.
std::vector<FittedText> CentreLines(const std::u32string& text, double width) {
  constexpr double kPreferred = 13.0, kCentreSmallest = 10.0;
  if (WidthEm(text, false) * kCentreSmallest <= width) return {FitText(text, kPreferred, width, false)};
  std::vector<FittedText> lines;
  std::u32string line;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find(U' ', start), text.size());
    const std::u32string word = text.substr(start, end - start);
    const std::u32string longer = line.empty() ? word : line + U' ' + word;
    if (line.empty() || WidthEm(longer, false) * kCentreSmallest <= width) {
      line = longer;
    } else {
      lines.push_back(FitText(line, kCentreSmallest, width, false));
      line = word;
    }
    start = end + 1;
  }
  if (!line.empty()) lines.push_back(FitText(line, kCentreSmallest, width, false));
  return lines;
}

std::string DrawCentre(const ChartPicture& picture) {
  const double width = kCentreWidth - 2.0 * kCentrePadding;
  const double middle = kCentreLeft + kCentreWidth / 2.0;
  std::string out = TextElement(middle, 170.0, FitText(DecodeForXml(picture.name), 18.0, width, true),
                                " class=\"centre name\" text-anchor=\"middle\" font-weight=\"bold\" fill=\"#1a1a1a\"");
  double baseline = 200.0;
  std::vector<std::string> lines{picture.localDateTime};
  lines.insert(lines.end(), picture.placeLines.begin(), picture.placeLines.end());
  for (const std::string& line : lines) {
    for (const FittedText& part : CentreLines(DecodeForXml(line), width)) {
      if (baseline > kCentreLeft + kCentreWidth - kCentrePadding) break;
      out += TextElement(middle, baseline, part, " class=\"centre\" text-anchor=\"middle\" fill=\"#1a1a1a\"");
      baseline += part.size * 1.3;
    }
    baseline += 20.0 - 13.0 * 1.3;  // 20 apart from one line of the picture's to the next
  }
  return out;
}

std::string Description(const ChartPicture& picture) {
  std::string out;
  for (const PictureMark& m : picture.marks) {
    if (!CellOf(m.sign)) continue;
    if (!out.empty()) out += "; ";
    const std::string& sign = picture.signNames[static_cast<std::size_t>(m.sign - 1)];
    out += m.letters + " " + m.degrees + " in " + (sign.empty() ? "sign " + std::to_string(m.sign) : sign);
  }
  return out;
}

}  // namespace

double ConservativeWidthEm(const std::string& utf8Text, bool bold) { return WidthEm(DecodeForXml(utf8Text), bold); }

std::string ChartPictureSvg(const ChartPicture& picture) {
  const std::string size = Number(kPictureSize);
  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  out += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + size + "\" height=\"" + size +
         "\" viewBox=\"0 0 " + size + " " + size + "\" font-family=\"DejaVu Sans, Verdana, sans-serif\">\n";
  out += "<title>Rasi chart of " + EscapedXml(picture.name) + "</title>\n";
  out += "<desc>" + EscapedXml(Description(picture)) + "</desc>\n";
  out += "<rect x=\"0\" y=\"0\" width=\"" + size + "\" height=\"" + size + "\" fill=\"#ffffff\"/>\n";
  for (const SignCell& cell : kSignCells) {
    std::vector<const PictureMark*> marks;
    for (const PictureMark& m : picture.marks)
      if (m.sign == cell.sign) marks.push_back(&m);
    out += DrawCell(cell, picture.signNames[static_cast<std::size_t>(cell.sign - 1)], marks);
  }
  out += DrawCentre(picture);
  out += "</svg>\n";
  return out;
}

}  // namespace orbisca
