// The sky at one instant: line of sight to every orbit, visibility, look angles and signal
// strength of the visible ones, the used set and its DOPs.
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

// Marks the highest kUsedPerSystem visible satellites of each system as used. Visible holds
// the visible satellites in code order, so those of one system stand together.
void ChooseUsed(std::span<TSkySatellite* const> visible) {
  std::array<TSkySatellite*, 128> run;
  for (std::size_t first = 0; first < visible.size();) {
    std::size_t end = first;
    while (end < visible.size() && visible[end]->System == visible[first]->System) ++end;
    const std::size_t count = end - first, used = std::min(count, kUsedPerSystem);
    std::copy(visible.begin() + first, visible.begin() + end, run.begin());
    if (used < count)
      std::partial_sort(run.begin(), run.begin() + used, run.begin() + count,
                        [](const TSkySatellite* a, const TSkySatellite* b) {
                          return a->LineOfSight.Z > b->LineOfSight.Z;
                        });
    for (std::size_t i = 0; i < used; ++i) run[i]->Used = true;
    first = end;
  }
}

}  // namespace

std::int32_t SignalToNoiseRatioOfSine(double SinElevation, const std::optional<std::uint64_t>& Seed,
                                      std::uint16_t Code, double Seconds) {
  double snr = 34.0 + 16.0 * std::clamp(SinElevation, 0.0, 1.0);
  if (Seed) snr += kJitterDb * Jitter(*Seed, Code, Seconds);
  return static_cast<std::int32_t>(snr + 0.5);  // 32 to 52: rounded, always within 0..99
}

std::int32_t SignalToNoiseRatio(double ElevationDeg, const std::optional<std::uint64_t>& Seed,
                                std::uint16_t Code, double Seconds) {
  return SignalToNoiseRatioOfSine(std::sin(ElevationDeg * std::numbers::pi / 180.0), Seed, Code,
                                  Seconds);
}

TSkyModel::TSkyModel(const TSkySettings& Settings)
    : FSettings(Settings), FSinMask(std::sin(Settings.ElevationMaskDeg * std::numbers::pi / 180.0)) {
  for (const TOrbit& orbit : NominalOrbits()) {
    if (!FSettings.Systems[orbit.System]) continue;
    FFrames.push_back(FrameOf(orbit));
    const auto known = std::find(FPeriods.begin(), FPeriods.end(), orbit.PeriodSeconds);
    FPeriodIndex.push_back(static_cast<std::uint8_t>(known - FPeriods.begin()));
    if (known == FPeriods.end()) FPeriods.push_back(orbit.PeriodSeconds);
    TSkySatellite& s = FSky.Satellites.emplace_back();
    s.System = orbit.System;
    s.Code = orbit.Code;
  }
}

const TSkyModel::TObserver& TSkyModel::ObserverAt(const TGeodetic& Place) {
  const auto same = [&](const TGeodetic& p) {
    return p.LatitudeDeg == Place.LatitudeDeg && p.LongitudeDeg == Place.LongitudeDeg &&
           p.HeightM == Place.HeightM;
  };
  if (!FObserver || !same(FObserver->Place))
    FObserver = TObserver{Place, GeodeticToEarthFixed(Place), LocalFrame(Place)};
  return *FObserver;
}

const TSky& TSkyModel::At(const TGeodetic& Place, TDateTime Utc) {
  const double seconds = SecondsSinceReferenceEpoch(Utc);
  const TObserver& observer = ObserverAt(Place);
  // The observer and its east-north-up frame are turned into the inertial frame once, so that
  // each satellite costs a few products, and only a visible one a root and its angles.
  const TSinCos theta = SinCosOfTurns(EarthRotationAngleDeg(seconds) / 360.0);
  const TVector3 origin = EarthFixedToInertial(observer.Position, theta);
  const TLocalFrame local{EarthFixedToInertial(observer.Frame.East, theta),
                          EarthFixedToInertial(observer.Frame.North, theta),
                          EarthFixedToInertial(observer.Frame.Up, theta)};
  const double squaredSinMask = FSinMask * FSinMask;
  std::array<TSinCos, 8> advances;  // along the orbit since the epoch, for each period
  for (std::size_t g = 0; g < FPeriods.size(); ++g)
    advances[g] = SinCosOfTurns(seconds / FPeriods[g]);
  // First every satellite's visibility, without a branch on it; then the visible ones alone,
  // whose order no branch predictor could learn.
  std::array<TSkySatellite*, 128> visible;
  std::array<TVector3, 128> offsets;
  std::size_t visibleCount = 0;
  for (std::size_t k = 0; k < FFrames.size() && k < visible.size(); ++k) {
    const TVector3 p = InertialPosition(FFrames[k], advances[FPeriodIndex[k]]);
    const TVector3 d{p.X - origin.X, p.Y - origin.Y, p.Z - origin.Z};
    const double up = Dot(d, local.Up), squaredRange = Dot(d, d);
    // up / range >= sin(mask), without the root and the division.
    const bool above = FSinMask >= 0 ? (up >= 0) & (up * up >= squaredSinMask * squaredRange)
                                     : (up >= 0) | (up * up <= squaredSinMask * squaredRange);
    TSkySatellite& s = FSky.Satellites[k];
    s = {s.System, s.Code, {}, {}, 0, above, false};
    offsets[visibleCount] = d;
    visible[visibleCount] = &s;
    visibleCount += above;
  }
  for (std::size_t v = 0; v < visibleCount; ++v) {
    TSkySatellite& s = *visible[v];
    const TVector3& d = offsets[v];
    const double toUnit = 1.0 / std::sqrt(Dot(d, d));
    s.LineOfSight = {Dot(d, local.East) * toUnit, Dot(d, local.North) * toUnit,
                     Dot(d, local.Up) * toUnit};
    s.Angle = LookAngleOf(s.LineOfSight.X, s.LineOfSight.Y, s.LineOfSight.Z);
    s.SignalToNoiseRatio = SignalToNoiseRatioOfSine(s.LineOfSight.Z, FSettings.Seed, s.Code, seconds);
  }
  ChooseUsed(std::span(visible.data(), visibleCount));
  std::array<TVector3, 128> used;
  std::size_t usedCount = 0;
  for (std::size_t v = 0; v < visibleCount; ++v) {
    used[usedCount] = visible[v]->LineOfSight;
    usedCount += visible[v]->Used;
  }
  FSky.Dops = DopsOfLinesOfSight(std::span(used.data(), usedCount));
  return FSky;
}

TSky ComputeSky(const TSkySettings& Settings, const TGeodetic& Place, TDateTime Utc) {
  TSkyModel model(Settings);
  return model.At(Place, Utc);
}

}  // namespace norv::orbits
