// The labels drawn around the sky plot stay inside the image and off the satellites' discs.
#include <gtest/gtest.h>

#include "Scenario.h"
#include "SkyLabels.h"
#include "support/RecordingCanvas.h"

namespace norvgpssim {
namespace {

// The built-in scenario's discs as the plot of that radius places them, in image pixels.
std::vector<SkyDisc> BuiltinDiscs(std::int32_t radius) {
  norv::TNorvGPSSimulator sim;
  LoadBuiltinScenario(sim);
  norv::test::RecordingCanvas canvas;
  sim.DrawSatellites(canvas, radius, 0xF5EBE1, 0x707070);
  std::vector<SkyDisc> discs;
  const std::int32_t m = StyleFor(radius).margin;
  for (const auto& c : canvas.Calls)
    if (c.What == norv::test::DrawCall::Kind::Ellipse && c.B.X - c.A.X == 28 && c.Brush != 0xF5EBE1)
      discs.push_back({(c.A.X + c.B.X) / 2 + m, (c.A.Y + c.B.Y) / 2 + m});
  return discs;
}

TEST(SkyLabels, InsideTheImageAndOffTheDiscsAtEveryScale) {
  for (const std::int32_t radius : {20, 120, 300}) {
    SCOPED_TRACE(radius);
    const SkyStyle style = StyleFor(radius);
    const std::int32_t size = 2 * (radius + style.margin) + 1;
    const std::vector<SkyDisc> discs = BuiltinDiscs(radius);
    ASSERT_EQ(discs.size(), 17u);
    const std::vector<SkyLabel> labels = SkyLabels(radius, discs);
    EXPECT_GE(labels.size(), radius >= 60 ? 6u : 4u);  // the compass, then the rings' labels
    for (const SkyLabel& l : labels) {
      EXPECT_TRUE(l.x >= 0 && l.y >= 0 && l.x + l.w <= size && l.y + l.h <= size) << l.text;
      for (const SkyDisc& d : discs)
        EXPECT_FALSE(Overlaps(l, d, style.discRadius)) << l.text << " on " << d.x << "," << d.y;
    }
  }
  EXPECT_LT(StyleFor(20).discRadius, StyleFor(300).discRadius);  // discs scale with the plot
}

TEST(SkyLabels, OverlapMeansASharedPixel) {
  const SkyLabel box{"N", 10, 10, 10, 10};
  EXPECT_TRUE(Overlaps(box, {15, 15}, 1));   // centre inside
  EXPECT_TRUE(Overlaps(box, {25, 15}, 6));   // reaches the right edge
  EXPECT_FALSE(Overlaps(box, {25, 15}, 5));  // stops one pixel short
  EXPECT_FALSE(Overlaps(box, {24, 24}, 6));  // diagonal: the corner is sqrt(50) away
}

}  // namespace
}  // namespace norvgpssim
