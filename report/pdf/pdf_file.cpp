#include "report/pdf/pdf_file.h"

#include "report/atomic_file.h"
#include "report/pdf/module_open.h"
#include "report/pdf/pdf_module.h"

namespace orbisca::pdf {
namespace {

struct LoadedModule {
  const PdfModule* module = nullptr;
  std::string error;
};

// Opened once, by whichever thread asks first.
const LoadedModule& Loaded() {
  static const LoadedModule loaded = [] {
    LoadedModule m;
    m.module = OpenModule<PdfModule>(ORBISCA_PDF_MODULE, kPdfModuleEntry, m.error);
    return m;
  }();
  return loaded;
}

}  // namespace

std::optional<std::string> PdfOfSvgPages(const std::vector<std::string>& svgPages, std::string& error) {
  if (!Loaded().module) {
    error = "The PDF module cannot be opened: " + Loaded().error;
    return std::nullopt;
  }
  std::string pdf;
  if (!Loaded().module->render(svgPages, pdf, error)) {
    error = "The PDF cannot be made: " + error;
    return std::nullopt;
  }
  return pdf;
}

std::optional<std::string> WritePdf(const std::string& path, const std::vector<std::string>& svgPages) {
  std::string error;
  const std::optional<std::string> pdf = PdfOfSvgPages(svgPages, error);
  if (!pdf) return error;
  return WriteFileAtomically(path, *pdf);
}

}  // namespace orbisca::pdf
