// The moving sky applied to the component through its public setters.
#include "MovingSky.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "norv/orbits/Dops.h"

namespace norvgpssim {

namespace {

// The largest DOP the component's setters accept, as their message names it.
constexpr double kLargestDOP = 99.9;
// GSA's slots: the component lists the lowest active codes in them.
constexpr std::size_t kListedInGSA = 12;

norv::orbits::TLookAngle Rounded(const norv::orbits::TLookAngle& a) {
  double azimuth = std::round(a.AzimuthDeg);
  if (azimuth >= 360) azimuth = 0;
  return {azimuth, std::clamp(std::round(a.ElevationDeg), 0.0, 90.0)};
}

}  // namespace

norv::orbits::TGeodetic ReceiverPlace(const norv::TNorvGPSSimulator& sim) {
  return {static_cast<double>(sim.GetLatitudeAsDecimalDegrees()),
          static_cast<double>(sim.GetLongitudeAsDecimalDegrees()),
          static_cast<double>(sim.Altitude() + sim.Geo_Height())};
}

MovingSky::MovingSky(norv::TNorvGPSSimulator& sim, const norv::orbits::TSkySettings& settings)
    : FSim(sim), FModel(settings), FFixQuality(sim.FixQuality() > 0 ? sim.FixQuality() : 1) {
  FSim.ResetSatellites();  // satellites from a file give way to the orbits
}

void MovingSky::Apply(norv::TDateTime utc) {
  const norv::orbits::TSky& sky = FModel.At(ReceiverPlace(FSim), utc);
  std::vector<norv::orbits::TLookAngle> listed;  // in code order, as GSA lists them
  for (const norv::orbits::TSkySatellite& s : sky.Satellites) {
    const norv::orbits::TLookAngle shown = Rounded(s.Angle);
    FSim.SetSatellite(s.Code, s.Used, static_cast<std::int32_t>(shown.ElevationDeg),
                      static_cast<std::int32_t>(shown.AzimuthDeg),
                      s.Used ? s.SignalToNoiseRatio : 0, s.System);
    if (s.Used && listed.size() < kListedInGSA) listed.push_back(shown);
  }
  const auto dops = sky.Dops ? norv::orbits::DopsOf(listed) : std::nullopt;
  const norv::orbits::TDops shown = dops.value_or(norv::orbits::TDops{kLargestDOP, kLargestDOP, kLargestDOP});
  FSim.SetPDOP(std::min(shown.PDOP, kLargestDOP));
  FSim.SetHDOP(std::min(shown.HDOP, kLargestDOP));
  FSim.SetVDOP(std::min(shown.VDOP, kLargestDOP));
  FSim.SetFixQuality(dops ? FFixQuality : 0);
}

}  // namespace norvgpssim
