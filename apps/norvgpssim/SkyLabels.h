#pragma once
// What the CLI draws around the library's sky plot: disc size, compass and ring labels, legend.
#include <cstdint>
#include <string>
#include <vector>

namespace norvgpssim {

// Sizes that follow the plot's radius (200 gives the library's own 14-pixel discs).
struct SkyStyle {
  std::int32_t discRadius;
  double fontPx;
  std::int32_t margin;  // around the horizon ring: room for horizon discs and the compass
  bool discLabels;      // the codes inside the discs: only where a disc can hold them
};
SkyStyle StyleFor(std::int32_t radius);

// A text and its box, in image pixels (top-left corner); colour 0 draws a legend disc instead.
struct SkyLabel {
  std::string text;
  std::int32_t x, y, w, h;
  std::uint32_t discColor = 0;
};

// A disc's centre in image pixels.
struct SkyDisc {
  std::int32_t x, y;
};

// N, E, S, W in the margin; the 30 and 60 degree rings' labels on the first diagonal whose
// boxes miss every disc; a legend of the two disc colours in a free corner (large plots).
std::vector<SkyLabel> SkyLabels(std::int32_t radius, const std::vector<SkyDisc>& discs);

// True when the box of `label` and the disc of radius r at `disc` share a pixel.
bool Overlaps(const SkyLabel& label, const SkyDisc& disc, std::int32_t r);

}  // namespace norvgpssim
