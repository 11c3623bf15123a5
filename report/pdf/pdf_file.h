#pragma once

// The chart sheet as a PDF, through the PDF module (report/pdf/pdf_module.h),
// which is opened at the first call and stays open.

#include <optional>
#include <string>
#include <vector>

namespace orbisca::pdf {

// The SVG pages as one PDF, or std::nullopt with `error` saying why: the
// module cannot be opened ("The PDF module cannot be opened: ..."), or a page
// cannot be drawn.
std::optional<std::string> PdfOfSvgPages(const std::vector<std::string>& svgPages, std::string& error);

// Writes the pages as a PDF to `path`, whole or not at all: nothing is
// written when the PDF cannot be made. std::nullopt on success, else the
// reason.
std::optional<std::string> WritePdf(const std::string& path, const std::vector<std::string>& svgPages);

}  // namespace orbisca::pdf
