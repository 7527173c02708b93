// Satellite tracks on the sky plot, drawn between the library's rings and its discs.
#include "SkyTracks.h"

#include <cmath>
#include <map>
#include <numbers>

namespace norvgpssim {

namespace {

constexpr double kStepDays = 2.0 / (24 * 60);  // a sample every two minutes
constexpr int kDrawnBeforeDiscs = 7;           // six rings and the centre mark
constexpr norv::TColor kTrackColors[] = {0xC06020, 0x2040C0, 0xA03080};  // GPS, GLONASS, BeiDou

// The pixel of a look angle on the plot, as the library places a disc: north up, east right,
// the horizon at Radius from the centre and the zenith at the centre.
norv::TPoint PlotPoint(const norv::orbits::TLookAngle& a, std::int32_t radius) {
  const double theta = std::numbers::pi - a.AzimuthDeg * std::numbers::pi / 180;
  const double r = radius - a.ElevationDeg * 2 * radius / 180;
  return {static_cast<std::int32_t>(std::lround(std::sin(theta) * r)) + radius,
          static_cast<std::int32_t>(std::lround(std::cos(theta) * r)) + radius};
}

// The angle the component shows: whole degrees, as its disc is drawn.
norv::orbits::TLookAngle Shown(const norv::orbits::TLookAngle& a) {
  const double azimuth = std::round(a.AzimuthDeg);
  return {azimuth >= 360 ? 0 : azimuth, std::round(a.ElevationDeg)};
}

}  // namespace

SkyTracksCanvas::SkyTracksCanvas(norv::TCanvas& target, std::int32_t radius,
                                 const norv::orbits::TSkySettings& settings,
                                 const norv::orbits::TGeodetic& place, norv::TDateTime utc,
                                 double hours)
    : FTarget(target) {
  norv::orbits::TSkyModel model(settings);
  const norv::orbits::TSky now = model.At(place, utc);
  std::map<std::uint16_t, Track> tracks;
  for (const auto& s : now.Satellites)
    if (s.Used) tracks[s.Code] = {s.System, {{}}};
  const int steps = static_cast<int>(std::ceil(hours / 24 / kStepDays));
  for (int k = steps; k > 0; --k) {
    const norv::orbits::TSky& sky = model.At(place, utc - k * kStepDays);
    for (const auto& s : sky.Satellites) {
      auto track = tracks.find(s.Code);
      if (track == tracks.end()) continue;
      auto& pieces = track->second.pieces;
      if (s.Visible) pieces.back().push_back(PlotPoint(s.Angle, radius));
      else if (!pieces.back().empty()) pieces.emplace_back();
    }
  }
  for (const auto& s : now.Satellites) {
    auto track = tracks.find(s.Code);
    if (track != tracks.end()) track->second.pieces.back().push_back(PlotPoint(Shown(s.Angle), radius));
  }
  for (auto& [code, track] : tracks) FTracks.push_back(std::move(track));
}

void SkyTracksCanvas::DrawEllipse(std::int32_t X1, std::int32_t Y1, std::int32_t X2,
                                  std::int32_t Y2) {
  if (++FEllipses == kDrawnBeforeDiscs + 1) DrawTracks();
  SyncTools();
  FTarget.Ellipse(X1, Y1, X2, Y2);
}

void SkyTracksCanvas::DrawLine(norv::TPoint From, norv::TPoint To) {
  SyncTools();
  FTarget.MoveTo(From.X, From.Y);
  FTarget.LineTo(To.X, To.Y);
}

void SkyTracksCanvas::DrawText(std::int32_t X, std::int32_t Y, const std::string& Text) {
  SyncTools();
  FTarget.TextOut(X, Y, Text);
}

void SkyTracksCanvas::SyncTools() {
  FTarget.SetBrushColor(BrushColor());
  FTarget.SetPenColor(PenColor());
  FTarget.SetPenWidth(PenWidth());
}

void SkyTracksCanvas::DrawTracks() {
  FTarget.SetPenWidth(2);
  for (const Track& track : FTracks) {
    FTarget.SetPenColor(kTrackColors[track.system]);
    for (const auto& piece : track.pieces) {
      if (piece.size() < 2) continue;
      FTarget.MoveTo(piece[0].X, piece[0].Y);
      for (std::size_t i = 1; i < piece.size(); ++i) FTarget.LineTo(piece[i].X, piece[i].Y);
    }
  }
}

}  // namespace norvgpssim
