#pragma once

// Text in the SVG pictures and the chart sheet: decoding and escaping any
// bytes into well-formed XML, a width no common sans-serif face exceeds, and
// fitting a line into a width by shrinking it and, past the smallest size,
// cutting it with an ellipsis.

#include <string>
#include <string_view>

namespace orbisca::svg {

inline constexpr double kSmallestText = 7.0;

// Decodes UTF-8 into code points. Malformed sequences become U+FFFD; control
// characters, which XML 1.0 does not allow, become spaces.
std::u32string DecodeForXml(std::string_view s);

// The text as UTF-8 with &, <, >, " and ' escaped.
std::string EscapedXml(const std::u32string& text);
std::string EscapedXml(std::string_view utf8);

// A text's width in ems, never less than any common sans-serif face draws it.
double WidthEm(const std::u32string& text, bool bold);

// The text and the size to draw it in so that it fits the width: the
// preferred size if it fits, a smaller one if that fits at kSmallestText or
// more, else the longest beginning that fits at kSmallestText with an ellipsis.
struct FittedText {
  std::u32string text;
  double size;
};
FittedText FitText(std::u32string text, double preferredSize, double width, bool bold);

// A coordinate or size with at most two decimals, trailing zeros dropped.
std::string Number(double v);

// <text x=".." y=".." font-size="..."ATTRIBUTES>escaped text</text> and a newline.
std::string TextElement(double x, double y, const FittedText& t, std::string_view attributes);

// The XML declaration, the <svg> element of the given size in user units, its
// title and description (escaped here) and a white background.
std::string DocumentStart(double width, double height, std::string_view title, std::string_view description);

}  // namespace orbisca::svg
