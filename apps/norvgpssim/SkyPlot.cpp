#include "SkyPlot.h"

#include <iostream>

#include "Clock.h"
#include "ExitCodes.h"
#include "MovingSky.h"
#include "Scenario.h"
#include "SkyTracks.h"
#include "TimeText.h"
#include "norv/framework/CairoCanvas.h"
#include "norv/framework/SysUtils.h"

namespace norvgpssim {

namespace {

// Satellites on the horizon are drawn centred on the outer ring and reach 14 pixels beyond
// it; the plot is shifted by this margin so that they are not cut off at the image's edge.
constexpr std::int32_t kMargin = 16;

// Passes every drawing call on to another canvas, moved by (Offset, Offset).
class OffsetCanvas : public norv::TCanvas {
 public:
  OffsetCanvas(norv::TCanvas& target, std::int32_t offset) : FTarget(target), FOffset(offset) {}

 protected:
  void DrawEllipse(std::int32_t X1, std::int32_t Y1, std::int32_t X2, std::int32_t Y2) override {
    SyncTools();
    FTarget.Ellipse(X1 + FOffset, Y1 + FOffset, X2 + FOffset, Y2 + FOffset);
  }
  void DrawLine(norv::TPoint From, norv::TPoint To) override {
    SyncTools();
    FTarget.MoveTo(From.X + FOffset, From.Y + FOffset);
    FTarget.LineTo(To.X + FOffset, To.Y + FOffset);
  }
  void DrawText(std::int32_t X, std::int32_t Y, const std::string& Text) override {
    SyncTools();
    FTarget.TextOut(X + FOffset, Y + FOffset, Text);
  }

 private:
  void SyncTools() {
    FTarget.SetBrushColor(BrushColor());
    FTarget.SetPenColor(PenColor());
    FTarget.SetPenWidth(PenWidth());
  }

  norv::TCanvas& FTarget;
  std::int32_t FOffset;
};

constexpr norv::TColor kSkyColor = 0xF5EBE1;   // pale blue rings
constexpr norv::TColor kLineColor = 0x707070;  // grey outlines and spokes

}  // namespace

int DrawSkyPlot(const SkyPlotOptions& options) {
  norv::TNorvGPSSimulator sim;
  LoadScenario(sim, options.scenario);
  const SkySettings sky = LoadSkySettings(options.scenario);
  if (options.trackHours && !sky.orbits)
    throw CliError(kExitScenario, "--tracks needs a moving sky: [Sky] Model=orbits in the scenario");
  const norv::TDateTime at = UnixMsToDateTime(options.atUnixMs.value_or(NextWholeSecond().unixMs));
  if (sky.orbits) MovingSky(sim, sky.sky).Apply(at);
  const bool svg = norv::UpperCase(options.output.extension().string()) == ".SVG";
  const std::int32_t size = 2 * options.radius + 2 * kMargin + 1;
  try {
    norv::CairoCanvas image(options.output, svg ? norv::ifSVG : norv::ifPNG, size, size,
                            {"DejaVu Sans", 10, norv::clBlack});
    OffsetCanvas plot(image, kMargin);
    if (options.trackHours) {
      SkyTracksCanvas tracks(plot, options.radius, sky.sky, ReceiverPlace(sim), at,
                             *options.trackHours);
      sim.DrawSatellites(tracks, options.radius, kSkyColor, kLineColor);
    } else {
      sim.DrawSatellites(plot, options.radius, kSkyColor, kLineColor);
    }
    image.Save();
  } catch (const norv::Exception& e) {
    throw CliError(kExitOutput, "sky plot " + options.output.string() + ": " + e.Message());
  }
  std::cerr << "norvgpssim: sky plot of " << sim.GetActiveSatellitesCount() << " satellites written to "
            << options.output.string() << '\n';
  return kExitOk;
}

}  // namespace norvgpssim
