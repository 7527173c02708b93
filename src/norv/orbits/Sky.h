#pragma once
// TSky: the satellites a receiver sees at one instant, their signal strengths, the ones it
// uses, and the dilutions of precision of those.
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "norv/framework/Types.h"
#include "norv/orbits/Dops.h"

namespace norv::orbits {

struct TSkySettings {
  double ElevationMaskDeg = 5.0;
  // Indexed by TSatelliteType: GPS, GLONASS, BeiDou.
  std::array<bool, 3> Systems{true, true, true};
  // With a seed, each signal strength moves by up to kJitterDb either way, the same for the
  // same seed, code and whole second; without one, it is the elevation's alone.
  std::optional<std::uint64_t> Seed;
};

// At most this many satellites of one system are used, the highest first.
inline constexpr std::size_t kUsedPerSystem = 12;
inline constexpr double kJitterDb = 2.0;

struct TSkySatellite {
  TSatelliteType System = GpsSatellite;
  std::uint16_t Code = 0;
  // Of a visible satellite only; zero below the mask.
  TLookAngle Angle;
  TVector3 LineOfSight;  // unit vector: X east, Y north, Z up
  std::int32_t SignalToNoiseRatio = 0;  // dB-Hz
  bool Visible = false;                 // at or above the mask
  bool Used = false;
};

struct TSky {
  // Every satellite of the selected systems, visible or not, in code order; only the visible
  // ones carry their angles and lines of sight (forming them is most of an epoch's cost).
  std::vector<TSkySatellite> Satellites;
  // Of the used satellites; none means no fix.
  std::optional<TDops> Dops;
};

// Signal-to-noise ratio in dB-Hz from the elevation alone: 34 + 16 sin(elevation), so 35 at
// 5 deg and 50 at the zenith, a plain stand-in for a patch antenna's gain and the longer path
// through the atmosphere near the horizon; then the seed's jitter, rounded, kept in 0..99.
std::int32_t SignalToNoiseRatio(double ElevationDeg, const std::optional<std::uint64_t>& Seed,
                                std::uint16_t Code, double Seconds);

// Room for every orbit of the three systems (80).
inline constexpr std::size_t kMostOrbits = 128;
using TColumn = std::array<double, kMostOrbits>;
// Orbits column by column (TOrbitFrame's fields, one entry per orbit), so that the compiler can
// propagate two or four orbits with one instruction.
struct TOrbitColumns {
  TColumn Px, Py, Pz, Qx, Qy, Qz, CosU0, SinU0;
};

// The sky of one receiver, epoch after epoch: keeps the place's Earth-fixed position and
// frame while the place stays the same, and the satellites' records from one epoch to the next.
class TSkyModel {
 public:
  explicit TSkyModel(const TSkySettings& Settings);
  // The sky over Place at Utc; valid until the next call.
  const TSky& At(const TGeodetic& Place, TDateTime Utc);

 private:
  struct TObserver {
    TGeodetic Place;
    TVector3 Position;  // Earth-fixed
    TLocalFrame Frame;  // Earth-fixed
  };
  const TObserver& ObserverAt(const TGeodetic& Place);

  TSkySettings FSettings;
  double FSinMask;
  std::size_t FOrbitCount = 0;
  TOrbitColumns FOrbits;
  // Runs of consecutive orbits with one period (a system's, or the geosynchronous ones'): each
  // epoch takes the sine and cosine of one angle for each run only.
  struct TPeriodRun {
    std::size_t Begin = 0, End = 0;
    double PeriodSeconds = 0;
  };
  std::vector<TPeriodRun> FRuns;
  std::optional<TObserver> FObserver;
  TSky FSky;
};

// The sky over Place at Utc, once.
TSky ComputeSky(const TSkySettings& Settings, const TGeodetic& Place, TDateTime Utc);

}  // namespace norv::orbits
