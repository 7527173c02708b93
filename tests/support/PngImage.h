#pragma once
// PngImage: a PNG file read back into memory, for checking the colours of single pixels.
#include <cstdint>
#include <filesystem>
#include <memory>

#include "norv/framework/Color.h"

namespace norv::test {

class PngImage {
 public:
  // Raises std::runtime_error when the file cannot be read as a PNG.
  explicit PngImage(const std::filesystem::path& File);
  ~PngImage();
  PngImage(const PngImage&) = delete;
  PngImage& operator=(const PngImage&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  // The colour at (X, Y) as 0x00BBGGRR; alpha is ignored.
  TColor Pixel(int X, int Y) const;

 private:
  struct Surface;
  std::unique_ptr<Surface> surface_;
  int width_ = 0;
  int height_ = 0;
};

// True when every channel of the two colours differs by at most Tolerance.
bool ColorNear(TColor A, TColor B, int Tolerance);
// Perceived darkness test: every channel below Limit.
bool IsDark(TColor C, int Limit = 100);

}  // namespace norv::test
