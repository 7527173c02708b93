#include "SkyPlot.h"

#include <unistd.h>

#include <fstream>
#include <iostream>

#include "Clock.h"
#include "ExitCodes.h"
#include "MovingSky.h"
#include "Scenario.h"
#include "SkyLabels.h"
#include "SkyTracks.h"
#include "TimeText.h"
#include "norv/framework/CairoCanvas.h"
#include "norv/framework/SysUtils.h"

namespace norvgpssim {

namespace {

constexpr std::int32_t kLibraryDisc = 14;  // the radius of the library's satellite discs
constexpr norv::TColor kSkyColor = 0xF5EBE1;   // pale blue rings
constexpr norv::TColor kLineColor = 0x707070;  // grey outlines and spokes

// Passes every drawing call on to the image, moved by the margin (so that satellites on the
// horizon are not cut off), with the satellites' discs and codes sized for the radius.
class OffsetCanvas : public norv::TCanvas {
 public:
  OffsetCanvas(norv::CairoCanvas& target, std::int32_t radius)
      : FTarget(target), FRadius(radius), FStyle(StyleFor(radius)), FOffset(FStyle.margin) {}

  const std::vector<SkyDisc>& Discs() const { return FDiscs; }

 protected:
  void DrawEllipse(std::int32_t X1, std::int32_t Y1, std::int32_t X2, std::int32_t Y2) override {
    SyncTools();
    FLastDisc.reset();
    if (IsSatellite(X1, Y1, X2, Y2)) {
      const std::int32_t cx = (X1 + X2) / 2 + FOffset, cy = (Y1 + Y2) / 2 + FOffset,
                         r = FStyle.discRadius;
      FDiscs.push_back({cx, cy});
      FLastDisc = FDiscs.back();
      FTarget.Ellipse(cx - r, cy - r, cx + r, cy + r);
      return;
    }
    FTarget.Ellipse(X1 + FOffset, Y1 + FOffset, X2 + FOffset, Y2 + FOffset);
  }
  void DrawLine(norv::TPoint From, norv::TPoint To) override {
    SyncTools();
    FTarget.MoveTo(From.X + FOffset, From.Y + FOffset);
    FTarget.LineTo(To.X + FOffset, To.Y + FOffset);
  }
  void DrawText(std::int32_t X, std::int32_t Y, const std::string& Text) override {
    SyncTools();
    if (!FLastDisc) {
      FTarget.TextOut(X + FOffset, Y + FOffset, Text);
      return;
    }
    // A satellite's code, centred in its disc at the style's size, or left out where the disc
    // is too small to hold it.
    if (!FStyle.discLabels) return;
    const norv::TCanvasFont font = FTarget.Font();
    FTarget.SetFont({font.Family, FStyle.fontPx, font.Color});
    const auto w = static_cast<std::int32_t>(0.6 * FStyle.fontPx * static_cast<double>(Text.size()));
    FTarget.TextOut(FLastDisc->x - w / 2, FLastDisc->y - static_cast<std::int32_t>(0.6 * FStyle.fontPx), Text);
    FTarget.SetFont(font);
  }

 private:
  // The library's disc: 28 pixels across, and not the innermost ring (which is as wide at a
  // radius of 84, but centred on the zenith and filled with the sky's colour).
  bool IsSatellite(std::int32_t X1, std::int32_t Y1, std::int32_t X2, std::int32_t Y2) const {
    if (X2 - X1 != 2 * kLibraryDisc || Y2 - Y1 != 2 * kLibraryDisc) return false;
    return !((X1 + X2) / 2 == FRadius && (Y1 + Y2) / 2 == FRadius && BrushColor() == kSkyColor);
  }

  void SyncTools() {
    FTarget.SetBrushColor(BrushColor());
    FTarget.SetPenColor(PenColor());
    FTarget.SetPenWidth(PenWidth());
  }

  norv::CairoCanvas& FTarget;
  std::int32_t FRadius;
  SkyStyle FStyle;
  std::int32_t FOffset;
  std::vector<SkyDisc> FDiscs;
  std::optional<SkyDisc> FLastDisc;  // set while the next text is this disc's code
};

void DrawLabels(norv::CairoCanvas& image, std::int32_t radius, const std::vector<SkyDisc>& discs) {
  const norv::TCanvasFont font = image.Font();
  image.SetFont({font.Family, StyleFor(radius).fontPx, font.Color});
  image.SetPenColor(kLineColor);
  for (const SkyLabel& l : SkyLabels(radius, discs)) {
    image.SetBrushColor(l.discColor != 0 ? l.discColor : norv::clWhite);
    if (l.discColor != 0) image.Ellipse(l.x, l.y, l.x + l.w, l.y + l.h);
    else image.TextOut(l.x, l.y, l.text);
  }
}

// A new directory only this user can enter, for the image on its way to stdout.
std::filesystem::path PrivateDir() {
  std::string name = (std::filesystem::temp_directory_path() / "norvgpssim-sky-XXXXXX").string();
  if (::mkdtemp(name.data()) == nullptr)
    throw CliError(kExitOutput, "sky plot: cannot create a temporary directory");
  return name;
}

// "-o -": the image goes to stdout by way of a temporary file (the canvas writes files).
void CopyToStdout(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::cout << in.rdbuf();
  std::cout.flush();
  if (!in || !std::cout) throw CliError(kExitOutput, "sky plot: cannot write the image to stdout");
}

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
  const bool toStdout = options.output == "-";
  const std::filesystem::path file = toStdout ? PrivateDir() / "sky.png" : options.output;
  const std::int32_t size = 2 * (options.radius + StyleFor(options.radius).margin) + 1;
  try {
    norv::CairoCanvas image(file, svg ? norv::ifSVG : norv::ifPNG, size, size,
                            {"DejaVu Sans", 10, norv::clBlack});
    OffsetCanvas plot(image, options.radius);
    if (options.trackHours) {
      SkyTracksCanvas tracks(plot, options.radius, sky.sky, ReceiverPlace(sim), at,
                             *options.trackHours);
      sim.DrawSatellites(tracks, options.radius, kSkyColor, kLineColor);
    } else {
      sim.DrawSatellites(plot, options.radius, kSkyColor, kLineColor);
    }
    DrawLabels(image, options.radius, plot.Discs());
    image.Save();
  } catch (const norv::Exception& e) {
    throw CliError(kExitOutput, "sky plot " + options.output.string() + ": " + e.Message());
  }
  if (toStdout) {
    struct Remove {
      std::filesystem::path dir;
      ~Remove() { std::error_code ec; std::filesystem::remove_all(dir, ec); }
    } remove{file.parent_path()};
    CopyToStdout(file);
  }
  std::cerr << "norvgpssim: sky plot of " << sim.GetActiveSatellitesCount() << " satellites written to "
            << (toStdout ? std::string("stdout") : options.output.string()) << '\n';
  return kExitOk;
}

}  // namespace norvgpssim
