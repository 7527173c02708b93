// The sky plot: a polar diagram with the horizon as the outer ring and the zenith at the centre,
// north up and east right, on which every active satellite is a disc labelled with its code.
#include <cmath>
#include <numbers>

#include "norv/framework/Canvas.h"
#include "norv/framework/SysUtils.h"
#include "norv/satellites/SatelliteTable.h"

namespace norv {

namespace {

constexpr Extended Pi = std::numbers::pi_v<Extended>;
constexpr std::int32_t DiscRadius = 14;
constexpr std::int32_t CentreMarkRadius = 3;
constexpr std::int32_t WeakSignalLimit = 10;  // a signal-to-noise ratio up to this is drawn red

// Rounds to the nearest pixel, halves to the even one: a diameter whose ends fall on halves,
// (c + d) and (c - d), then still passes through the whole-pixel centre c.
std::int32_t Nearest(Extended v) {
  Extended whole = std::floor(v);
  const Extended rest = v - whole;
  if (rest > 0.5L || (rest == 0.5L && std::fmod(whole, 2.0L) != 0)) whole += 1;
  return static_cast<std::int32_t>(whole);
}

void Line(TCanvas& canvas, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  canvas.MoveTo(x1, y1);
  canvas.LineTo(x2, y2);
}

// Six concentric rings, the horizon first, each a sixth of the radius smaller.
void DrawRings(TCanvas& canvas, std::int32_t R) {
  for (std::int32_t i = 1; i <= 6; ++i) {
    const std::int32_t low = (i - 1) * R / 6;
    const std::int32_t high = (13 - i) * R / 6;
    canvas.Ellipse(low, low, high, high);
  }
}

// Six diameters every 30 degrees of bearing, ending with the east-west one.
void DrawSpokes(TCanvas& canvas, std::int32_t R) {
  const Extended s30 = std::sin(Pi / 6), c30 = std::cos(Pi / 6);
  const Extended s60 = std::sin(Pi / 3), c60 = std::cos(Pi / 3);
  const auto at = [R](Extended factor) { return Nearest(factor * R); };
  Line(canvas, R, 0, R, 2 * R);
  Line(canvas, at(1 + s30), at(1 - c30), at(1 - c60), at(1 + s60));
  Line(canvas, at(1 + s60), at(1 - c60), at(1 - c30), at(1 + s30));
  Line(canvas, at(1 + c30), at(1 + s30), at(1 - s60), at(1 - s30));
  Line(canvas, at(1 + c60), at(1 + s60), at(1 - s30), at(1 - s60));
  Line(canvas, 2 * R, R, 0, R);
}

// Left edge of the label relative to the disc centre, so that 1, 2 or 3 digits sit centred.
std::int32_t LabelOffset(std::uint16_t code) {
  if (code < 10) return 5;
  if (code < 100) return 8;
  return 10;
}

void DrawSatellite(TCanvas& canvas, std::int32_t R, const TSatellite& s) {
  const Extended theta = Pi - s.Azimuth() * Pi / 180;
  // The product is whole before the real division (64 bits, so no radius can overflow it).
  const Extended r = R - static_cast<Extended>(std::int64_t{s.Elevation()} * 2 * R) / 180;
  const std::uint16_t x = static_cast<std::uint16_t>(Nearest(std::sin(theta) * r) + R);
  const std::uint16_t y = static_cast<std::uint16_t>(Nearest(std::cos(theta) * r) + R);
  canvas.SetBrushColor(s.SignalToNoiseRatio() <= WeakSignalLimit ? clRed : clGreen);
  canvas.Ellipse(x - DiscRadius, y - DiscRadius, x + DiscRadius, y + DiscRadius);
  canvas.TextOut(x - LabelOffset(s.PseudoRandomCode()), y - 6, IntToStr(s.PseudoRandomCode()));
}

}  // namespace

void TSatelliteTable::Draw(TCanvas& Canvas, std::int32_t Radius, TColor BrushColor,
                           TColor PenColor) const {
  Canvas.SetBrushColor(BrushColor);
  Canvas.SetPenColor(PenColor);
  Canvas.SetPenWidth(1);
  DrawRings(Canvas, Radius);
  DrawSpokes(Canvas, Radius);
  Canvas.Ellipse(Radius - CentreMarkRadius, Radius - CentreMarkRadius, Radius + CentreMarkRadius,
                 Radius + CentreMarkRadius);
  // Ascending code order: where discs overlap, the higher code lies on top.
  for (std::int32_t code = 1; code <= FTotalSatellitesCount; ++code)
    if (Record(code).Active()) DrawSatellite(Canvas, Radius, Record(code));
}

}  // namespace norv
