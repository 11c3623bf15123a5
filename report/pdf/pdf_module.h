#pragma once

// The chart sheet's PDF: librsvg draws each SVG page onto a cairo PDF surface,
// which keeps the text as text and embeds the fonts. Both libraries live in a
// module of their own (orbisca-pdf.so) that a program opens only when a PDF is
// asked for, so that neither program's start maps, relocates and initialises
// librsvg, cairo and their dependencies.

#include <string>
#include <vector>

namespace orbisca::pdf {

struct PdfModule {
  const char* version;  // the program's version, so that a stale module is refused
  // The pages as one PDF document, each page the size of its SVG's viewBox
  // taken in points. True with `pdf` filled, or false with `error` saying why.
  bool (*render)(const std::vector<std::string>& svgPages, std::string& pdf, std::string& error);
};

// The module's one exported function.
inline constexpr char kPdfModuleEntry[] = "orbisca_pdf_module";
using PdfModuleEntry = const PdfModule* (*)();

}  // namespace orbisca::pdf
