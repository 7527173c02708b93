// Physics checks of the nominal orbits and of the sky they make, each against a fact about the
// constellations rather than a copy of the code.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <stdexcept>
#include <vector>

#include "norv/orbits/EarthRotation.h"
#include "norv/orbits/Sky.h"

namespace norv::orbits {
namespace {

constexpr double kSiderealDay = 86164.09;
constexpr TDateTime kStart = 46000.25;  // 2025-12-09 06:00 UTC
constexpr double kDeg = std::numbers::pi / 180;

const TOrbit& OrbitOf(std::uint16_t code) {
  for (const TOrbit& o : NominalOrbits())
    if (o.Code == code) return o;
  throw std::out_of_range("no orbit");
}

TLookAngle Seen(const TGeodetic& place, const TOrbit& orbit, double seconds) {
  return LookAngle(place, GeodeticToEarthFixed(place), SatellitePosition(orbit, seconds));
}

// Every satellite of a system, seen from two places, is where it was Days sidereal days later.
void ExpectRepeat(TSatelliteType system, double days) {
  TSkySettings settings;
  settings.ElevationMaskDeg = -90;  // every satellite's angles
  settings.Systems = {system == GpsSatellite, system == GlonassSatellite, system == BeidouSatellite};
  for (const TGeodetic place : {TGeodetic{48.1, 11.5, 500}, TGeodetic{-33.9, 151.2, 0}}) {
    const TSky a = ComputeSky(settings, place, kStart);
    const TSky b = ComputeSky(settings, place, kStart + days * kSiderealDay / 86400);
    ASSERT_EQ(a.Satellites.size(), 24u);
    for (std::size_t i = 0; i < a.Satellites.size(); ++i) {
      const TLookAngle x = a.Satellites[i].Angle, y = b.Satellites[i].Angle;
      EXPECT_NEAR(x.ElevationDeg, y.ElevationDeg, 0.1) << a.Satellites[i].Code;
      EXPECT_NEAR(std::remainder(x.AzimuthDeg - y.AzimuthDeg, 360.0), 0.0, 0.1) << a.Satellites[i].Code;
    }
  }
}

TEST(Orbits, GpsSkyRepeatsAfterOneSiderealDay) { ExpectRepeat(GpsSatellite, 1); }
TEST(Orbits, GlonassSkyRepeatsAfterEightSiderealDays) { ExpectRepeat(GlonassSatellite, 8); }

TEST(Orbits, GlonassSkyDoesNotRepeatAfterOneSiderealDay) {
  const TOrbit& o = OrbitOf(65);
  const double t0 = SecondsSinceReferenceEpoch(kStart);
  const TVector3 a = SatellitePosition(o, t0), b = SatellitePosition(o, t0 + kSiderealDay);
  EXPECT_GT(std::hypot(a.X - b.X, a.Y - b.Y, a.Z - b.Z), 1000.0);
}

// A receiver on the ellipsoid under a satellite (its normal through the satellite, found by
// the usual fixed-point iteration for geodetic latitude) sees it at the zenith.
TEST(Orbits, SatelliteOverheadOfItsGroundTrackIsAtTheZenith) {
  constexpr double a = 6378.137, e2 = 6.69437999014e-3;
  for (const std::uint16_t code : {1, 70, 215}) {
    const TVector3 s = SatellitePosition(OrbitOf(code), SecondsSinceReferenceEpoch(kStart));
    const double p = std::hypot(s.X, s.Y);
    double lat = std::atan2(s.Z, p);
    for (int i = 0; i < 10; ++i) {
      const double n = a / std::sqrt(1 - e2 * std::sin(lat) * std::sin(lat));
      lat = std::atan2(s.Z + e2 * n * std::sin(lat), p);
    }
    const TGeodetic place{lat / kDeg, std::atan2(s.Y, s.X) / kDeg, 0};
    EXPECT_NEAR(LookAngle(place, GeodeticToEarthFixed(place), s).ElevationDeg, 90.0, 1e-6) << code;
  }
}

TEST(Orbits, GeostationarySatellitesStandStill) {
  const TGeodetic place{30, 114, 0};
  const double t0 = SecondsSinceReferenceEpoch(kStart);
  for (std::uint16_t code = 201; code <= 205; ++code) {
    const TLookAngle a = Seen(place, OrbitOf(code), t0), b = Seen(place, OrbitOf(code), t0 + 30000);
    EXPECT_NEAR(a.ElevationDeg, b.ElevationDeg, 1e-6) << code;
    EXPECT_NEAR(a.AzimuthDeg, b.AzimuthDeg, 1e-6) << code;
  }
}

// The inclined geosynchronous satellites share one figure-eight: each crosses the equator
// northwards over 118 deg east, a third of a sidereal day after the one before.
TEST(Orbits, InclinedGeosynchronousSatellitesCrossAt118East) {
  const double t0 = SecondsSinceReferenceEpoch(kStart);
  std::vector<double> crossings;
  for (std::uint16_t code = 206; code <= 208; ++code) {
    double before = SatellitePosition(OrbitOf(code), t0).Z;
    for (double t = t0 + 5; t < t0 + kSiderealDay; t += 5) {
      const TVector3 p = SatellitePosition(OrbitOf(code), t);
      if (before < 0 && p.Z >= 0) {
        EXPECT_NEAR(std::atan2(p.Y, p.X) / kDeg, 118.0, 0.05) << code;
        crossings.push_back(std::fmod(t - t0, kSiderealDay / 3));
      }
      before = p.Z;
    }
  }
  ASSERT_EQ(crossings.size(), 3u);
  EXPECT_NEAR(crossings[1], crossings[0], 10.0);
  EXPECT_NEAR(crossings[2], crossings[0], 10.0);
}

// The look angles come from a series, not the library's atan2: within 1e-7 degree of it in
// every direction, the axes and the quadrant edges included.
TEST(Orbits, LookAnglesMatchTheLibraryAtan2) {
  for (int az = 0; az < 3600; az += 7)
    for (int el = -900; el <= 900; el += 13) {
      const double a = az / 10.0 * kDeg, e = el / 10.0 * kDeg;
      const double east = std::cos(e) * std::sin(a), north = std::cos(e) * std::cos(a);
      const TLookAngle got = LookAngleOf(east, north, std::sin(e));
      double azimuth = std::atan2(east, north) / kDeg;
      if (azimuth < 0) azimuth += 360;
      EXPECT_NEAR(got.ElevationDeg, std::atan2(std::sin(e), std::hypot(east, north)) / kDeg, 1e-7);
      if (std::abs(el) < 900) {  // the zenith and nadir have no azimuth
        EXPECT_NEAR(std::remainder(got.AzimuthDeg - azimuth, 360.0), 0.0, 1e-7);
      }
    }
}

TEST(Orbits, SixToTwelveGpsSatellitesAboveFiveDegreesAllDay) {
  TSkySettings gps;
  gps.Systems = {true, false, false};
  for (const double latitude : {0.0, 45.0, 80.0})
    for (int step = 0; step < 144; ++step) {
      const TSky sky = ComputeSky(gps, {latitude, 0, 0}, kStart + step / 144.0);
      int visible = 0;
      for (const TSkySatellite& s : sky.Satellites) visible += s.Visible;
      EXPECT_GE(visible, 6) << latitude << " at step " << step;
      EXPECT_LE(visible, 12) << latitude << " at step " << step;
    }
}

// The epoch's sky, orbit after orbit, is what each orbit gives on its own: angles, line of
// sight, signal strength and visibility, for every system at several places and instants.
TEST(Sky, AgreesWithEachOrbitAlone) {
  TSkySettings all;
  for (const TGeodetic place : {TGeodetic{48.1, 11.5, 500}, TGeodetic{-33.9, 151.2, 0},
                                TGeodetic{80, -70, 0}, TGeodetic{0, 118, 0}})
    for (const double hours : {0.0, 5.3, 17.9, 1000.1}) {
      const TDateTime utc = kStart + hours / 24;
      const TSky sky = ComputeSky(all, place, utc);
      ASSERT_EQ(sky.Satellites.size(), NominalOrbits().size());
      for (std::size_t i = 0; i < sky.Satellites.size(); ++i) {
        const TSkySatellite& s = sky.Satellites[i];
        const TLookAngle alone = Seen(place, NominalOrbits()[i], SecondsSinceReferenceEpoch(utc));
        ASSERT_EQ(s.Visible, alone.ElevationDeg >= all.ElevationMaskDeg) << s.Code;
        if (!s.Visible) continue;
        EXPECT_NEAR(s.Angle.ElevationDeg, alone.ElevationDeg, 1e-6) << s.Code;
        EXPECT_NEAR(std::remainder(s.Angle.AzimuthDeg - alone.AzimuthDeg, 360.0), 0.0, 1e-6) << s.Code;
        EXPECT_NEAR(s.LineOfSight.Z, std::sin(alone.ElevationDeg * kDeg), 1e-9) << s.Code;
        EXPECT_NEAR(s.LineOfSight.X, std::cos(alone.ElevationDeg * kDeg) * std::sin(alone.AzimuthDeg * kDeg), 1e-9);
        EXPECT_EQ(s.SignalToNoiseRatio, SignalToNoiseRatio(alone.ElevationDeg, std::nullopt, s.Code, 0));
      }
    }
}

// All three systems, no mask: more than twelve of each are above the horizon, and the twelve
// used of each are the highest.
TEST(Sky, UsesTheTwelveHighestOfEachSystem) {
  TSkySettings all;
  all.ElevationMaskDeg = -90;
  const TSky sky = ComputeSky(all, {45, 10, 0}, kStart);
  for (int system = 0; system < 3; ++system) {
    int used = 0;
    double lowestUsed = 90, highestUnused = -90;
    for (const TSkySatellite& s : sky.Satellites) {
      if (s.System != system) continue;
      if (s.Used) ++used, lowestUsed = std::min(lowestUsed, s.Angle.ElevationDeg);
      else highestUnused = std::max(highestUnused, s.Angle.ElevationDeg);
    }
    EXPECT_EQ(used, 12) << system;
    EXPECT_GE(lowestUsed, highestUnused) << system;
  }
  EXPECT_TRUE(sky.Dops.has_value());
}

TEST(Sky, NoFixWithoutFourSatellites) {
  TSkySettings high;
  high.ElevationMaskDeg = 75;  // at most one or two satellites this high
  high.Systems = {true, false, false};
  const TSky sky = ComputeSky(high, {45, 10, 0}, kStart);
  EXPECT_FALSE(sky.Dops.has_value());
}

// Zenith and three on the horizon 120 deg apart: Qee = Qnn = 2/3, and the up-clock block
// [[1, 1], [1, 4]] gives Quu = 4/3.
TEST(Dops, KnownGeometry) {
  const TLookAngle used[] = {{0, 90}, {0, 0}, {120, 0}, {240, 0}};
  const auto dops = DopsOf(used);
  ASSERT_TRUE(dops.has_value());
  EXPECT_NEAR(dops->HDOP, std::sqrt(4.0 / 3), 1e-9);
  EXPECT_NEAR(dops->VDOP, std::sqrt(4.0 / 3), 1e-9);
  EXPECT_NEAR(dops->PDOP, std::sqrt(8.0 / 3), 1e-9);
}

TEST(Dops, NoneForTooFewOrACone) {
  const TLookAngle three[] = {{0, 90}, {0, 10}, {120, 10}};
  // All at one elevation: height and clock cannot be told apart.
  const TLookAngle cone[] = {{0, 30}, {90, 30}, {180, 30}, {270, 30}, {45, 30}};
  EXPECT_FALSE(DopsOf(three).has_value());
  EXPECT_FALSE(DopsOf(cone).has_value());
}

TEST(Sky, SignalStrengthFromElevationWithSeededJitter) {
  EXPECT_EQ(SignalToNoiseRatio(5, std::nullopt, 1, 0), 35);
  EXPECT_EQ(SignalToNoiseRatio(90, std::nullopt, 1, 0), 50);
  bool moved = false;
  for (int second = 0; second < 50; ++second) {
    const std::int32_t a = SignalToNoiseRatio(45, 7, 3, second);
    EXPECT_EQ(a, SignalToNoiseRatio(45, 7, 3, second + 0.5));  // same whole second
    EXPECT_LE(std::abs(a - SignalToNoiseRatio(45, std::nullopt, 3, second)), 2);
    moved |= a != SignalToNoiseRatio(45, 8, 3, second);
  }
  EXPECT_TRUE(moved) << "another seed never changed the jitter";
}

}  // namespace
}  // namespace norv::orbits
