// CairoCanvas: the drawing state lives in TCanvas; this file turns each primitive into Cairo
// paths. The image is built in memory and written in one atomic step, so a failed save leaves
// any earlier file in place.
#include "norv/framework/CairoCanvas.h"

#include <cairo-svg.h>
#include <cairo.h>

#include <algorithm>
#include <numbers>

#include "norv/framework/Exception.h"
#include "norv/framework/IniFile.h"  // WriteFileAtomically

namespace norv {

namespace {

cairo_status_t AppendToString(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

void SetSourceColor(cairo_t* cr, TColor Color) {
  cairo_set_source_rgb(cr, GetRValue(Color) / 255.0, GetGValue(Color) / 255.0,
                       GetBValue(Color) / 255.0);
}

void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry) {
  cairo_new_path(cr);
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_arc(cr, 0, 0, 1, 0, 2 * std::numbers::pi);
  cairo_restore(cr);
}

}  // namespace

struct CairoCanvas::Impl {
  cairo_surface_t* Surface = nullptr;
  cairo_t* Context = nullptr;
  std::string Image;      // the encoded file; the SVG surface streams into it as it draws
  bool Ended = false;     // Save was called: no more drawing
  bool Rendered = false;  // Image holds the complete file

  ~Impl() {
    if (Context) cairo_destroy(Context);
    if (Surface) cairo_surface_destroy(Surface);
  }

  cairo_t* Drawing() {
    if (Ended) throw Exception("Cannot draw on a canvas that has been saved");
    return Context;
  }

  void CheckStatus(const std::string& what) const {
    cairo_status_t status = cairo_surface_status(Surface);
    if (status == CAIRO_STATUS_SUCCESS && Context) status = cairo_status(Context);
    if (status != CAIRO_STATUS_SUCCESS)
      throw Exception(what + ": " + cairo_status_to_string(status));
  }
};

CairoCanvas::CairoCanvas(const std::filesystem::path& FileName, TImageFormat Format,
                         std::int32_t Width, std::int32_t Height, const TCanvasFont& Font,
                         TColor Background)
    : FFileName(FileName), FFormat(Format), FFont(Font), FImpl(std::make_unique<Impl>()) {
  if (Width <= 0 || Height <= 0)
    throw Exception("Canvas size must be positive, not " + std::to_string(Width) + "x" +
                    std::to_string(Height));
  if (Format == ifSVG) {
    FImpl->Surface =
        cairo_svg_surface_create_for_stream(AppendToString, &FImpl->Image, Width, Height);
    // Pixels, so that a browser shows the image at the size it was drawn.
    cairo_svg_surface_set_document_unit(FImpl->Surface, CAIRO_SVG_UNIT_PX);
  } else {
    FImpl->Surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, Width, Height);
  }
  FImpl->Context = cairo_create(FImpl->Surface);
  FImpl->CheckStatus("Cannot create a " + std::to_string(Width) + "x" + std::to_string(Height) +
                     " canvas for " + FileName.string());
  SetSourceColor(FImpl->Context, Background);
  cairo_paint(FImpl->Context);
}

CairoCanvas::~CairoCanvas() = default;

void CairoCanvas::Save() {
  FImpl->Ended = true;
  if (!FImpl->Rendered) {
    const std::string what = "Cannot render " + FFileName.string();
    FImpl->CheckStatus(what);
    if (FFormat == ifSVG) {
      cairo_surface_finish(FImpl->Surface);  // streams the rest of the document
    } else {
      cairo_surface_flush(FImpl->Surface);
      FImpl->Image.clear();
      const cairo_status_t status =
          cairo_surface_write_to_png_stream(FImpl->Surface, AppendToString, &FImpl->Image);
      if (status != CAIRO_STATUS_SUCCESS)
        throw Exception(what + ": " + cairo_status_to_string(status));
    }
    FImpl->CheckStatus(what);
    FImpl->Rendered = true;
  }
  WriteFileAtomically(FFileName, FImpl->Image);
}

void CairoCanvas::DrawEllipse(std::int32_t X1, std::int32_t Y1, std::int32_t X2, std::int32_t Y2) {
  cairo_t* cr = FImpl->Drawing();
  const double left = std::min(X1, X2), right = std::max(X1, X2);
  const double top = std::min(Y1, Y2), bottom = std::max(Y1, Y2);
  if (right <= left || bottom <= top) return;  // a box without area holds no ellipse
  const double pen = std::max(PenWidth(), 1);
  const double cx = (left + right) / 2, cy = (top + bottom) / 2;
  // The outline is drawn inside the box, so the box is exactly what the ellipse covers.
  const double rx = (right - left - pen) / 2, ry = (bottom - top - pen) / 2;
  if (rx <= 0 || ry <= 0) {  // smaller than the pen: all outline
    EllipsePath(cr, cx, cy, (right - left) / 2, (bottom - top) / 2);
    SetSourceColor(cr, PenColor());
    cairo_fill(cr);
    return;
  }
  EllipsePath(cr, cx, cy, rx, ry);
  SetSourceColor(cr, BrushColor());
  cairo_fill_preserve(cr);
  SetSourceColor(cr, PenColor());
  cairo_set_line_width(cr, pen);
  cairo_stroke(cr);
}

void CairoCanvas::DrawLine(TPoint From, TPoint To) {
  cairo_t* cr = FImpl->Drawing();
  const std::int32_t pen = std::max(PenWidth(), 1);
  // A line of odd width runs through pixel centres, so it covers whole pixels.
  const double offset = pen % 2 == 1 ? 0.5 : 0;
  cairo_new_path(cr);
  cairo_move_to(cr, From.X + offset, From.Y + offset);
  cairo_line_to(cr, To.X + offset, To.Y + offset);
  SetSourceColor(cr, PenColor());
  cairo_set_line_width(cr, pen);
  cairo_stroke(cr);
}

void CairoCanvas::DrawText(std::int32_t X, std::int32_t Y, const std::string& Text) {
  cairo_t* cr = FImpl->Drawing();
  cairo_select_font_face(cr, FFont.Family.c_str(), CAIRO_FONT_SLANT_NORMAL,
                         CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, FFont.Size);
  cairo_font_extents_t font{};
  cairo_font_extents(cr, &font);
  cairo_text_extents_t text{};
  cairo_text_extents(cr, Text.c_str(), &text);
  cairo_new_path(cr);
  cairo_rectangle(cr, X, Y, text.x_advance, font.ascent + font.descent);
  SetSourceColor(cr, BrushColor());
  cairo_fill(cr);
  cairo_move_to(cr, X, Y + font.ascent);
  SetSourceColor(cr, FFont.Color);
  cairo_show_text(cr, Text.c_str());
  cairo_new_path(cr);
}

}  // namespace norv
