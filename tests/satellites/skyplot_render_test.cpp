// The sky plot rendered for real: a PNG through Cairo, and an SVG as a browser shows it.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>

#include "norv/core/TNorvGPSSimulator.h"
#include "norv/framework/CairoCanvas.h"
#include "support/PngImage.h"
#include "support/ChildProcess.h"
#include "support/RecordingCanvas.h"
#include "support/TempDirTest.h"

namespace norv {
namespace {

namespace fs = std::filesystem;
using test::ColorNear;
using test::DrawCall;
using test::IsDark;
using test::PngImage;
using test::RecordingCanvas;

constexpr std::int32_t Radius = 120;
constexpr std::int32_t Size = 2 * Radius;
constexpr TColor SkyBrush = 0x00F5EBE1;
constexpr TColor SkyPen = 0x00707070;
const TCanvasFont LabelFont{"DejaVu Sans", 10, clBlack};
constexpr int Tolerance = 40;  // antialiasing and colour management in the browser

void SetSampleSky(TNorvGPSSimulator& sim) {
  sim.SetSatellite(3, true, 70, 40, 45, GpsSatellite);
  sim.SetSatellite(7, true, 30, 200, 8, GlonassSatellite);
  sim.SetSatellite(12, true, 15, 300, 38, GpsSatellite);
  sim.SetSatellite(42, true, 50, 120, 10, BeidouSatellite);
  sim.SetSatellite(88, true, 25, 75, 29, GlonassSatellite);
  sim.SetSatellite(123, true, 60, 250, 33, BeidouSatellite);
  sim.SetSatellite(201, true, 10, 20, 5, GpsSatellite);
  sim.SetSatellite(150, false, 45, 90, 40, GpsSatellite);  // inactive: not drawn
}

struct Expectation {
  TPoint At;
  TColor Color;
};

// The colours the image must show: inside each disc, off its label (the label box ends about
// 6 px below the centre); the plot between the rings; the centre mark; the page outside.
std::vector<Expectation> SampleExpectations(const TNorvGPSSimulator& sim) {
  RecordingCanvas recorder;
  sim.DrawSatellites(recorder, Radius, SkyBrush, SkyPen);
  std::vector<Expectation> points;
  for (const DrawCall& call : recorder.Calls) {
    if (call.What != DrawCall::Kind::Ellipse || call.B.X - call.A.X != 28) continue;
    const std::int32_t x = (call.A.X + call.B.X) / 2, y = (call.A.Y + call.B.Y) / 2;
    for (TPoint p : {TPoint{x, y + 10}, TPoint{x - 8, y + 8}, TPoint{x + 8, y + 8}})
      points.push_back({p, call.Brush});
  }
  EXPECT_EQ(points.size(), 7u * 3u);
  points.push_back({{91, 14}, SkyBrush});  // bearing 345, between the two outer rings
  points.push_back({{Radius, Radius}, SkyBrush});
  points.push_back({{2, 2}, clWhite});
  return points;
}

void ExpectColours(const PngImage& image, const std::vector<Expectation>& points) {
  for (const Expectation& e : points) {
    const TColor got = image.Pixel(e.At.X, e.At.Y);
    EXPECT_TRUE(ColorNear(got, e.Color, Tolerance))
        << "at (" << e.At.X << "," << e.At.Y << ") expected " << std::hex << e.Color << " got "
        << got;
  }
}

void DrawSampleSky(const fs::path& file, TImageFormat format) {
  TNorvGPSSimulator sim;
  SetSampleSky(sim);
  CairoCanvas canvas(file, format, Size, Size, LabelFont);
  sim.DrawSatellites(canvas, Radius, SkyBrush, SkyPen);
  canvas.Save();
}

class SkyPlotRenderTest : public test::TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    SetSampleSky(sim_);
  }
  TNorvGPSSimulator sim_;
};

TEST_F(SkyPlotRenderTest, PngShowsEachSatelliteInItsSignalColourWithItsLabel) {
  // Also the sample shown in the README: docs/skyplot.png is a copy of this file.
  const fs::path file = fs::path(NORV_BINARY_DIR) / "docs" / "skyplot.png";
  fs::create_directories(file.parent_path());
  DrawSampleSky(file, ifPNG);
  PngImage image(file);
  ASSERT_EQ(image.Width(), Size);
  ASSERT_EQ(image.Height(), Size);
  ExpectColours(image, SampleExpectations(sim_));

  // Every label is written: dark glyph pixels just right of its left edge.
  RecordingCanvas recorder;
  sim_.DrawSatellites(recorder, Radius, SkyBrush, SkyPen);
  for (const DrawCall& call : recorder.Calls) {
    if (call.What != DrawCall::Kind::Text) continue;
    int dark = 0;
    for (int y = call.A.Y; y < call.A.Y + 12; ++y)
      for (int x = call.A.X; x < call.A.X + 6 * static_cast<int>(call.Text.size()); ++x)
        dark += IsDark(image.Pixel(x, y));
    EXPECT_GT(dark, 3) << "label " << call.Text;
  }
}

// Runs argv in its own process group, output to log; kills the group after the timeout.
// Returns the exit status, or -1 when it timed out or did not exit normally.
int RunWithTimeout(const std::vector<std::string>& argv, const fs::path& log,
                   std::chrono::seconds timeout) {
  test::TChildProcess browser;  // its whole group is killed at the end: the browser's helpers too
  if (!browser.Start(argv, test::TChildOutput{-1, log, log, true})) return -1;
  const std::optional<int> status = browser.Wait(timeout);
  return status && browser.TerminatingSignal() == 0 ? *status : -1;
}

TEST_F(SkyPlotRenderTest, SvgRendersInABrowserWithTheSameColours) {
  const std::string browser = "/usr/bin/chromium";
  if (!fs::exists(browser)) GTEST_SKIP() << browser << " is not installed; SVG not checked";
  const fs::path svg = dir_ / "skyplot.svg";
  const fs::path shot = dir_ / "screenshot.png";
  const fs::path log = dir_ / "browser.log";
  DrawSampleSky(svg, ifSVG);
  const int status = RunWithTimeout(
      {browser, "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
       "--disable-background-networking", "--disable-component-update", "--disable-sync",
       "--hide-scrollbars", "--user-data-dir=" + (dir_ / "profile").string(),
       "--screenshot=" + shot.string(),
       "--window-size=" + std::to_string(Size) + "," + std::to_string(Size),
       "file://" + svg.string()},
      log, std::chrono::seconds(90));
  ASSERT_EQ(status, 0) << "browser failed or timed out:\n" << test::ReadWholeFile(log);
  ASSERT_TRUE(fs::exists(shot)) << test::ReadWholeFile(log);
  PngImage image(shot);
  ASSERT_GE(image.Width(), Size);
  ASSERT_GE(image.Height(), Size);
  ExpectColours(image, SampleExpectations(sim_));
}

}  // namespace
}  // namespace norv
