#include <gtest/gtest.h>

#include "norv/core/TNorvGPSSimulator.h"
#include "support/RecordingCanvas.h"

namespace norv {
namespace {

using test::DrawCall;
using test::RecordingCanvas;

constexpr TColor Brush = 0x00C0C0C0;
constexpr TColor Pen = 0x00404040;

DrawCall Ellipse(TPoint a, TPoint b, TColor brush = Brush) {
  return {DrawCall::Kind::Ellipse, a, b, "", brush, Pen, 1};
}
DrawCall Line(TPoint from, TPoint to) {
  return {DrawCall::Kind::Line, from, to, "", Brush, Pen, 1};
}
DrawCall Text(TPoint at, const std::string& text, TColor brush) {
  return {DrawCall::Kind::Text, at, {}, text, brush, Pen, 1};
}

// A canvas whose state differs from everything DrawSatellites sets, so each setting shows.
RecordingCanvas DirtyCanvas() {
  RecordingCanvas canvas;
  canvas.SetBrushColor(0x123456);
  canvas.SetPenColor(0x654321);
  canvas.SetPenWidth(7);
  canvas.MoveTo(33, 44);
  return canvas;
}

// Rings from the horizon in, spokes, centre mark.
const std::vector<DrawCall> GridFor120 = {
    Ellipse({0, 0}, {240, 240}),
    Ellipse({20, 20}, {220, 220}),
    Ellipse({40, 40}, {200, 200}),
    Ellipse({60, 60}, {180, 180}),
    Ellipse({80, 80}, {160, 160}),
    Ellipse({100, 100}, {140, 140}),
    Line({120, 0}, {120, 240}),
    Line({180, 16}, {60, 224}),
    Line({224, 60}, {16, 180}),
    Line({224, 180}, {16, 60}),
    Line({180, 224}, {60, 16}),
    Line({240, 120}, {0, 120}),
    Ellipse({117, 117}, {123, 123}),
};

std::vector<DrawCall> SatelliteCalls(const std::vector<DrawCall>& calls) {
  return {calls.begin() + static_cast<std::ptrdiff_t>(GridFor120.size()), calls.end()};
}

TEST(SkyPlot, WithoutActiveSatellitesDrawsOnlyTheGridAndLeavesTheCanvasState) {
  TNorvGPSSimulator sim;
  sim.SetSatellite(9, false, 40, 40, 40, GpsSatellite);  // inactive: not drawn
  RecordingCanvas canvas = DirtyCanvas();
  sim.DrawSatellites(canvas, 120, Brush, Pen);
  EXPECT_EQ(canvas.Calls, GridFor120);
  EXPECT_EQ(canvas.BrushColor(), Brush);
  EXPECT_EQ(canvas.PenColor(), Pen);
  EXPECT_EQ(canvas.PenWidth(), 1);
  EXPECT_EQ(canvas.PenPos(), (TPoint{0, 120}));
}

TEST(SkyPlot, SatellitePositionsNorthUpEastRight) {
  struct Case {
    std::int32_t Elevation, Azimuth;
    TPoint Centre;
  };
  const Case cases[] = {
      {0, 90, {240, 120}}, {90, 0, {120, 120}}, {90, 237, {120, 120}}, {45, 180, {120, 180}},
      {0, 0, {120, 0}},    {0, 270, {0, 120}},  {60, 45, {148, 92}},   {30, 315, {63, 63}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "elevation " << c.Elevation << " azimuth " << c.Azimuth);
    TNorvGPSSimulator sim;
    sim.SetSatellite(3, true, c.Elevation, c.Azimuth, 50, GlonassSatellite);
    RecordingCanvas canvas;
    sim.DrawSatellites(canvas, 120, Brush, Pen);
    const auto [x, y] = c.Centre;
    EXPECT_EQ(SatelliteCalls(canvas.Calls),
              (std::vector<DrawCall>{Ellipse({x - 14, y - 14}, {x + 14, y + 14}, clGreen),
                                     Text({x - 5, y - 6}, "3", clGreen)}));
  }
}

TEST(SkyPlot, ColourByTheSignalAndLabelOffsetByTheNumberOfDigits) {
  TNorvGPSSimulator sim;
  // Elevation 90 puts every disc at the centre (120, 120).
  sim.SetSatellite(7, true, 90, 0, 10, GpsSatellite);
  sim.SetSatellite(42, true, 90, 0, 11, BeidouSatellite);
  sim.SetSatellite(123, true, 90, 0, 0, GlonassSatellite);
  RecordingCanvas canvas = DirtyCanvas();
  sim.DrawSatellites(canvas, 120, Brush, Pen);
  const std::vector<DrawCall> expected = {
      Ellipse({106, 106}, {134, 134}, clRed),   Text({115, 114}, "7", clRed),
      Ellipse({106, 106}, {134, 134}, clGreen), Text({112, 114}, "42", clGreen),
      Ellipse({106, 106}, {134, 134}, clRed),   Text({110, 114}, "123", clRed),
  };
  EXPECT_EQ(SatelliteCalls(canvas.Calls), expected);
  // The last satellite's brush stays; the pen is back where the last spoke ended.
  EXPECT_EQ(canvas.BrushColor(), clRed);
  EXPECT_EQ(canvas.PenColor(), Pen);
  EXPECT_EQ(canvas.PenWidth(), 1);
  EXPECT_EQ(canvas.PenPos(), (TPoint{0, 120}));
}

TEST(SkyPlot, DiscsGoInAscendingCodeOrderWhateverTheOrderTheyWereSet) {
  TNorvGPSSimulator sim;
  sim.SetSatellite(200, true, 0, 90, 50, BeidouSatellite);
  sim.SetSatellite(1, true, 0, 0, 50, GpsSatellite);
  sim.SetSatellite(50, true, 0, 180, 5, GlonassSatellite);
  RecordingCanvas canvas;
  sim.DrawSatellites(canvas, 120, Brush, Pen);
  std::vector<std::string> labels;
  for (const DrawCall& call : canvas.Calls)
    if (call.What == DrawCall::Kind::Text) labels.push_back(call.Text);
  EXPECT_EQ(labels, (std::vector<std::string>{"1", "50", "200"}));
  EXPECT_EQ(canvas.BrushColor(), clGreen);  // code 200, drawn last
}

// Every diameter must pass through the centre pixel, including radii whose end points fall on
// half pixels.
TEST(SkyPlot, EverySpokeIsADiameterThroughTheCentre) {
  TNorvGPSSimulator sim;
  for (std::int32_t r = 1; r <= 301; ++r) {
    RecordingCanvas canvas;
    sim.DrawSatellites(canvas, r, Brush, Pen);
    for (const DrawCall& call : canvas.Calls) {
      if (call.What != DrawCall::Kind::Line) continue;
      EXPECT_EQ(call.A.X + call.B.X, 2 * r) << "radius " << r << ": " << call;
      EXPECT_EQ(call.A.Y + call.B.Y, 2 * r) << "radius " << r << ": " << call;
    }
  }
}

}  // namespace
}  // namespace norv
