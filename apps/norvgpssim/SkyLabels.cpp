#include "SkyLabels.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "norv/framework/Color.h"

namespace norvgpssim {

namespace {

// A box for text at the style's font: about 0.6 em a character, 1.2 em high.
SkyLabel Text(const std::string& text, double fontPx, std::int32_t cx, std::int32_t cy) {
  const auto w = static_cast<std::int32_t>(std::ceil(0.6 * fontPx * static_cast<double>(text.size())));
  const auto h = static_cast<std::int32_t>(std::ceil(1.2 * fontPx));
  return {text, cx - w / 2, cy - h / 2, w, h};
}

bool MissesAll(const SkyLabel& l, const std::vector<SkyDisc>& discs, std::int32_t r) {
  return std::none_of(discs.begin(), discs.end(),
                      [&](const SkyDisc& d) { return Overlaps(l, d, r); });
}

// "30" and "60" on the rings of those elevations, along a bearing whose boxes miss the discs.
void AddRingLabels(std::vector<SkyLabel>& out, std::int32_t R, const SkyStyle& s,
                   const std::vector<SkyDisc>& discs) {
  const std::int32_t centre = s.margin + R;
  for (const double bearing : {45.0, 135.0, 225.0, 315.0, 15.0, 75.0, 105.0, 165.0}) {
    const double a = bearing * std::numbers::pi / 180;
    std::vector<SkyLabel> pair;
    for (const int elevation : {30, 60}) {
      const double r = R * (90.0 - elevation) / 90.0;
      pair.push_back(Text(std::to_string(elevation) + "\xC2\xB0", s.fontPx,
                          centre + static_cast<std::int32_t>(std::lround(std::sin(a) * r)),
                          centre - static_cast<std::int32_t>(std::lround(std::cos(a) * r))));
    }
    if (MissesAll(pair[0], discs, s.discRadius) && MissesAll(pair[1], discs, s.discRadius)) {
      out.insert(out.end(), pair.begin(), pair.end());
      return;
    }
  }
}

// Two rows in the image's lower-left corner, outside the horizon: a disc of each colour and
// what it means.
void AddLegend(std::vector<SkyLabel>& out, std::int32_t R, const SkyStyle& s) {
  const std::int32_t size = 2 * (R + s.margin) + 1;
  const auto row = static_cast<std::int32_t>(std::ceil(1.3 * s.fontPx));
  const std::int32_t dot = row - 2;
  const struct {
    std::uint32_t color;
    const char* text;
  } rows[] = {{norv::clGreen, "SNR > 10"}, {norv::clRed, "SNR \xE2\x89\xA4 10"}};
  std::int32_t y = size - 2 * row - 2;
  for (const auto& r : rows) {
    out.push_back({"", 2, y, dot, dot, r.color});
    SkyLabel t = Text(r.text, s.fontPx, 0, 0);
    t.x = 2 + dot + 3;
    t.y = y + (dot - t.h) / 2;
    t.w -= 6;  // "SNR > 10": the spaces are narrower than the average glyph
    out.push_back(t);
    y += row;
  }
}

}  // namespace

SkyStyle StyleFor(std::int32_t radius) {
  SkyStyle s;
  s.discRadius = std::clamp(static_cast<std::int32_t>(std::lround(14.0 * radius / 200)), 3, 24);
  s.fontPx = std::clamp(10.0 * radius / 200, 7.0, 16.0);
  s.margin = std::max(16, s.discRadius + 2);
  s.discLabels = s.discRadius >= 8;
  return s;
}

bool Overlaps(const SkyLabel& l, const SkyDisc& d, std::int32_t r) {
  // The box's point nearest the centre lies within the disc.
  const std::int32_t nx = std::clamp(d.x, l.x, l.x + l.w - 1), ny = std::clamp(d.y, l.y, l.y + l.h - 1);
  const std::int64_t dx = nx - d.x, dy = ny - d.y;
  return dx * dx + dy * dy <= std::int64_t{r} * r;
}

std::vector<SkyLabel> SkyLabels(std::int32_t R, const std::vector<SkyDisc>& discs) {
  const SkyStyle s = StyleFor(R);
  const std::int32_t centre = s.margin + R, near = s.margin / 2, far = 2 * centre - near;
  std::vector<SkyLabel> out = {Text("N", s.fontPx, centre, near), Text("S", s.fontPx, centre, far),
                               Text("E", s.fontPx, far, centre), Text("W", s.fontPx, near, centre)};
  if (R >= 60) AddRingLabels(out, R, s, discs);
  if (R >= 100) AddLegend(out, R, s);
  return out;
}

}  // namespace norvgpssim
