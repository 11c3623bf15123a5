// The module both programs open to turn SVG pages into a PDF: librsvg renders
// each page onto one cairo PDF surface (librsvg 2.54 and cairo 1.16, Debian 12).
#include "report/pdf/pdf_module.h"

#include <cairo-pdf.h>
#include <cairo.h>
#include <librsvg/rsvg.h>

#include "orbisca/version.h"

namespace orbisca::pdf {
namespace {

cairo_status_t Append(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

struct Page {
  RsvgHandle* handle = nullptr;
  double width = 0.0, height = 0.0;  // points
};

// Parses one page and takes its size from its viewBox (else its width and height).
bool Parse(const std::string& svg, Page& page, std::string& error) {
  GError* failure = nullptr;
  page.handle = rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(svg.data()), svg.size(), &failure);
  if (!page.handle) {
    error = failure ? failure->message : "the page is not SVG";
    if (failure) g_error_free(failure);
    return false;
  }
  gboolean hasWidth = FALSE, hasHeight = FALSE, hasViewBox = FALSE;
  RsvgLength width{}, height{};
  RsvgRectangle viewBox{};
  rsvg_handle_get_intrinsic_dimensions(page.handle, &hasWidth, &width, &hasHeight, &height, &hasViewBox, &viewBox);
  page.width = hasViewBox ? viewBox.width : hasWidth ? width.length : 0.0;
  page.height = hasViewBox ? viewBox.height : hasHeight ? height.length : 0.0;
  if (!(page.width > 0.0 && page.height > 0.0)) {
    error = "the page has no size";
    return false;
  }
  return true;
}

bool Render(const std::vector<std::string>& svgPages, std::string& pdf, std::string& error) {
  pdf.clear();
  if (svgPages.empty()) {
    error = "there are no pages";
    return false;
  }
  std::vector<Page> pages(svgPages.size());
  bool ok = true;
  for (std::size_t i = 0; ok && i < svgPages.size(); ++i) ok = Parse(svgPages[i], pages[i], error);
  if (ok) {
    cairo_surface_t* surface = cairo_pdf_surface_create_for_stream(Append, &pdf, pages[0].width, pages[0].height);
    cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATOR, "Orbisca");
    cairo_t* cr = cairo_create(surface);
    for (std::size_t i = 0; ok && i < pages.size(); ++i) {
      cairo_pdf_surface_set_size(surface, pages[i].width, pages[i].height);
      const RsvgRectangle viewport{0.0, 0.0, pages[i].width, pages[i].height};
      GError* failure = nullptr;
      ok = rsvg_handle_render_document(pages[i].handle, cr, &viewport, &failure);
      if (!ok) {
        error = failure ? std::string(failure->message) : "librsvg could not draw page " + std::to_string(i + 1);
        if (failure) g_error_free(failure);
      }
      cairo_show_page(cr);
    }
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    if (ok && cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
      error = cairo_status_to_string(cairo_surface_status(surface));
      ok = false;
    }
    cairo_surface_destroy(surface);
  }
  for (Page& page : pages)
    if (page.handle) g_object_unref(page.handle);
  if (!ok) pdf.clear();
  return ok;
}

constexpr PdfModule kModule = {kVersion, &Render};

}  // namespace
}  // namespace orbisca::pdf

extern "C" __attribute__((visibility("default"))) const orbisca::pdf::PdfModule* orbisca_pdf_module() {
  return &orbisca::pdf::kModule;
}
