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

// The signal strength the elevation alone gives, from its sine.
inline double ElevationStrength(double SinElevation) {
  return 34.0 + 16.0 * std::clamp(SinElevation, 0.0, 1.0);
}

// The strength with the seed's jitter, rounded: 32 to 52, always within 0..99.
std::int32_t Rounded(double Strength, const std::optional<std::uint64_t>& Seed, std::uint16_t Code,
                     double Seconds) {
  if (Seed) Strength += kJitterDb * Jitter(*Seed, Code, Seconds);
  return static_cast<std::int32_t>(Strength + 0.5);
}

#if defined(__x86_64__)
// Each loop below is built twice, for the common SSE2 and for AVX2 (four numbers an
// instruction instead of two), and the loader picks the one the processor runs. Neither uses
// fused multiply-adds, so both give the same bits.
#define NORV_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define NORV_VECTOR_CLONES
#endif

// Where the observer stands and looks, in the inertial frame of the instant.
struct TObserverFrame {
  TVector3 Origin, East, North, Up;
};

// Orbits Begin..End, whose argument of latitude has advanced by Advance since the epoch: the
// line of sight to each in the observer's east-north-up frame, and 1 where it is above the
// mask (up |up| >= MaskTerm range^2), else 0.
NORV_VECTOR_CLONES
void Propagate(const TOrbitColumns& c, std::size_t Begin, std::size_t End, TSinCos Advance,
               const TObserverFrame& f, double MaskTerm, TColumn& East, TColumn& North, TColumn& Up,
               TColumn& Above) {
#pragma omp simd
  for (std::size_t k = Begin; k < End; ++k) {
    // The angle-sum formulas for the argument of latitude U0 + advance.
    const double cosU = c.CosU0[k] * Advance.Cos - c.SinU0[k] * Advance.Sin;
    const double sinU = c.SinU0[k] * Advance.Cos + c.CosU0[k] * Advance.Sin;
    const double dx = cosU * c.Px[k] + sinU * c.Qx[k] - f.Origin.X;
    const double dy = cosU * c.Py[k] + sinU * c.Qy[k] - f.Origin.Y;
    const double dz = cosU * c.Pz[k] + sinU * c.Qz[k] - f.Origin.Z;
    East[k] = dx * f.East.X + dy * f.East.Y + dz * f.East.Z;
    North[k] = dx * f.North.X + dy * f.North.Y + dz * f.North.Z;
    Up[k] = dx * f.Up.X + dy * f.Up.Y + dz * f.Up.Z;
    Above[k] = Up[k] * std::fabs(Up[k]) >= MaskTerm * (dx * dx + dy * dy + dz * dz) ? 1.0 : 0.0;
  }
}

// The look angles, unit lines of sight (in place) and elevation strengths of Count lines.
NORV_VECTOR_CLONES
void LookAngles(std::size_t Count, TColumn& East, TColumn& North, TColumn& Up, TColumn& Azimuth,
                TColumn& Elevation, TColumn& Strength) {
#pragma omp simd
  for (std::size_t v = 0; v < Count; ++v) {
    const TLookAngle angle = LookAngleOf(East[v], North[v], Up[v]);
    Azimuth[v] = angle.AzimuthDeg;
    Elevation[v] = angle.ElevationDeg;
    const double toUnit = 1.0 / std::sqrt(East[v] * East[v] + North[v] * North[v] + Up[v] * Up[v]);
    East[v] *= toUnit;
    North[v] *= toUnit;
    Up[v] *= toUnit;
    Strength[v] = ElevationStrength(Up[v]);
  }
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

std::int32_t SignalToNoiseRatio(double ElevationDeg, const std::optional<std::uint64_t>& Seed,
                                std::uint16_t Code, double Seconds) {
  return Rounded(ElevationStrength(std::sin(ElevationDeg * std::numbers::pi / 180.0)), Seed, Code,
                 Seconds);
}

TSkyModel::TSkyModel(const TSkySettings& Settings)
    : FSettings(Settings), FSinMask(std::sin(Settings.ElevationMaskDeg * std::numbers::pi / 180.0)) {
  for (const TOrbit& orbit : NominalOrbits()) {
    if (!FSettings.Systems[orbit.System] || FOrbitCount == kMostOrbits) continue;
    const TOrbitFrame frame = FrameOf(orbit);
    const std::size_t k = FOrbitCount++;
    FOrbits.Px[k] = frame.P.X, FOrbits.Py[k] = frame.P.Y, FOrbits.Pz[k] = frame.P.Z;
    FOrbits.Qx[k] = frame.Q.X, FOrbits.Qy[k] = frame.Q.Y, FOrbits.Qz[k] = frame.Q.Z;
    FOrbits.CosU0[k] = frame.U0.Cos, FOrbits.SinU0[k] = frame.U0.Sin;
    if (FRuns.empty() || FRuns.back().PeriodSeconds != orbit.PeriodSeconds)
      FRuns.push_back({k, k, orbit.PeriodSeconds});
    FRuns.back().End = k + 1;
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
  const TVector3 o = EarthFixedToInertial(observer.Position, theta);
  const TVector3 e = EarthFixedToInertial(observer.Frame.East, theta);
  const TVector3 n = EarthFixedToInertial(observer.Frame.North, theta);
  const TVector3 u = EarthFixedToInertial(observer.Frame.Up, theta);
  // Plain arrays, column by column: nothing to fill beforehand, and loops without a branch
  // that the compiler turns into vector instructions.
  TColumn east, north, up, above;
  // sin(elevation) >= sin(mask) as up |up| >= sin(mask) |sin(mask)| range^2: no root, no
  // division, and one comparison whatever the mask's sign.
  const double maskTerm = FSinMask * std::fabs(FSinMask);
  for (const TPeriodRun& run : FRuns)
    Propagate(FOrbits, run.Begin, run.End, SinCosOfTurns(seconds / run.PeriodSeconds),
              {o, e, n, u}, maskTerm, east, north, up, above);
  // The visible ones gathered, without a branch on visibility (no predictor could learn it).
  std::array<TSkySatellite*, kMostOrbits> visible;
  TColumn visibleEast, visibleNorth, visibleUp;
  std::size_t visibleCount = 0;
  for (std::size_t k = 0; k < FOrbitCount; ++k) {
    const bool isAbove = above[k] != 0;
    TSkySatellite& s = FSky.Satellites[k];
    s = {s.System, s.Code, {}, {}, 0, isAbove, false};
    visible[visibleCount] = &s;
    visibleEast[visibleCount] = east[k];
    visibleNorth[visibleCount] = north[k];
    visibleUp[visibleCount] = up[k];
    visibleCount += isAbove;
  }
  TColumn azimuth, elevation, strength;
  LookAngles(visibleCount, visibleEast, visibleNorth, visibleUp, azimuth, elevation, strength);
  for (std::size_t v = 0; v < visibleCount; ++v) {
    TSkySatellite& s = *visible[v];
    s.LineOfSight = {visibleEast[v], visibleNorth[v], visibleUp[v]};
    s.Angle = {azimuth[v], elevation[v]};
    s.SignalToNoiseRatio = Rounded(strength[v], FSettings.Seed, s.Code, seconds);
  }
  ChooseUsed(std::span(visible.data(), visibleCount));
  TColumn usedEast, usedNorth, usedUp;
  std::size_t usedCount = 0;
  for (std::size_t v = 0; v < visibleCount; ++v) {
    usedEast[usedCount] = visibleEast[v];
    usedNorth[usedCount] = visibleNorth[v];
    usedUp[usedCount] = visibleUp[v];
    usedCount += visible[v]->Used;
  }
  FSky.Dops = DopsOfLinesOfSight({std::span(usedEast).first(usedCount),
                                  std::span(usedNorth).first(usedCount),
                                  std::span(usedUp).first(usedCount)});
  return FSky;
}

TSky ComputeSky(const TSkySettings& Settings, const TGeodetic& Place, TDateTime Utc) {
  TSkyModel model(Settings);
  return model.At(Place, Utc);
}

}  // namespace norv::orbits
