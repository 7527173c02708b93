// The sky at one instant: look angles of every orbit, visibility, signal strength, used set.
#include "norv/orbits/Sky.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "norv/orbits/EarthRotation.h"

namespace norv::orbits {

namespace {

// SplitMix64's finaliser: a well-mixed 64-bit value from any input.
std::uint64_t Mix(std::uint64_t x) {
  x += 0x9E3779B97F4A7C15ull;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  return x ^ (x >> 31);
}

// Uniform in [-1, 1), the same for the same seed, code and whole second.
double Jitter(std::uint64_t seed, std::uint16_t code, double seconds) {
  const auto second = static_cast<std::uint64_t>(static_cast<std::int64_t>(std::floor(seconds)));
  const std::uint64_t bits = Mix(Mix(seed ^ Mix(code)) ^ second);
  return static_cast<double>(bits >> 11) / static_cast<double>(1ull << 52) - 1.0;
}

// Marks the highest kUsedPerSystem visible satellites of each system as used.
void ChooseUsed(std::vector<TSkySatellite>& satellites) {
  std::vector<TSkySatellite*> visible;
  for (int system = 0; system < 3; ++system) {
    visible.clear();
    for (TSkySatellite& s : satellites)
      if (s.Visible && s.System == system) visible.push_back(&s);
    const std::size_t used = std::min(visible.size(), kUsedPerSystem);
    std::partial_sort(visible.begin(), visible.begin() + static_cast<std::ptrdiff_t>(used),
                      visible.end(), [](const TSkySatellite* a, const TSkySatellite* b) {
                        return a->Angle.ElevationDeg > b->Angle.ElevationDeg;
                      });
    for (std::size_t i = 0; i < used; ++i) visible[i]->Used = true;
  }
}

}  // namespace

std::int32_t SignalToNoiseRatio(double ElevationDeg, const std::optional<std::uint64_t>& Seed,
                                std::uint16_t Code, double Seconds) {
  double snr = 34.0 + 16.0 * std::sin(std::max(ElevationDeg, 0.0) * std::numbers::pi / 180.0);
  if (Seed) snr += kJitterDb * Jitter(*Seed, Code, Seconds);
  return static_cast<std::int32_t>(std::clamp(std::lround(snr), 0L, 99L));
}

TSky ComputeSky(const TSkySettings& Settings, const TGeodetic& Place, TDateTime Utc) {
  const double seconds = SecondsSinceReferenceEpoch(Utc);
  const TVector3 observer = GeodeticToEarthFixed(Place);
  TSky sky;
  for (const TOrbit& orbit : NominalOrbits()) {
    if (!Settings.Systems[orbit.System]) continue;
    TSkySatellite s;
    s.System = orbit.System;
    s.Code = orbit.Code;
    s.Angle = LookAngle(Place, observer, SatellitePosition(orbit, seconds));
    s.Visible = s.Angle.ElevationDeg >= Settings.ElevationMaskDeg;
    s.SignalToNoiseRatio = SignalToNoiseRatio(s.Angle.ElevationDeg, Settings.Seed, s.Code, seconds);
    sky.Satellites.push_back(s);
  }
  ChooseUsed(sky.Satellites);
  std::vector<TLookAngle> used;
  for (const TSkySatellite& s : sky.Satellites)
    if (s.Used) used.push_back(s.Angle);
  sky.Dops = DopsOf(used);
  return sky;
}

}  // namespace norv::orbits
