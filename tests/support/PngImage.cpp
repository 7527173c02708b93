#include "support/PngImage.h"

#include <cairo.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace norv::test {

struct PngImage::Surface {
  cairo_surface_t* Handle;
  ~Surface() { cairo_surface_destroy(Handle); }
};

PngImage::PngImage(const std::filesystem::path& File)
    : surface_(new Surface{cairo_image_surface_create_from_png(File.c_str())}) {
  const cairo_status_t status = cairo_surface_status(surface_->Handle);
  if (status != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error("cannot read " + File.string() + ": " +
                             cairo_status_to_string(status));
  cairo_surface_flush(surface_->Handle);
  width_ = cairo_image_surface_get_width(surface_->Handle);
  height_ = cairo_image_surface_get_height(surface_->Handle);
}

PngImage::~PngImage() = default;

TColor PngImage::Pixel(int X, int Y) const {
  if (X < 0 || Y < 0 || X >= width_ || Y >= height_)
    throw std::out_of_range("pixel (" + std::to_string(X) + "," + std::to_string(Y) +
                            ") outside the image");
  const unsigned char* row = cairo_image_surface_get_data(surface_->Handle) +
                             Y * cairo_image_surface_get_stride(surface_->Handle);
  // Cairo keeps native-endian 0xAARRGGBB words (RGB24 and ARGB32 alike).
  const std::uint32_t argb = reinterpret_cast<const std::uint32_t*>(row)[X];
  const std::uint32_t r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
  return r | (g << 8) | (b << 16);
}

bool ColorNear(TColor A, TColor B, int Tolerance) {
  for (int shift = 0; shift < 24; shift += 8) {
    const int a = static_cast<int>((A >> shift) & 0xFF), b = static_cast<int>((B >> shift) & 0xFF);
    if (std::abs(a - b) > Tolerance) return false;
  }
  return true;
}

bool IsDark(TColor C, int Limit) {
  return GetRValue(C) < Limit && GetGValue(C) < Limit && GetBValue(C) < Limit;
}

}  // namespace norv::test
