#include <gtest/gtest.h>

#include "norv/NorvGPSSimulator.h"

namespace norv {
namespace {

struct Angle {
  std::int32_t deg, min;
  long double sec;
  TCardinalPoint side;
};

struct MoveCase {
  const char* name;
  Angle start;
  long double seconds;
  Angle expected;
};

void ExpectAngle(const Angle& actual, const Angle& expected, const char* name) {
  EXPECT_EQ(actual.deg, expected.deg) << name;
  EXPECT_EQ(actual.min, expected.min) << name;
  EXPECT_NEAR(actual.sec, expected.sec, 1e-12L) << name;
  EXPECT_EQ(actual.side, expected.side) << name;
}

TEST(PositionMovers, AddSecondsToLatitudeStopsAtTheEquatorAndThePoles) {
  const MoveCase cases[] = {
      {"carry into minutes and degrees", {10, 59, 45, cpNorth}, 30, {11, 0, 15, cpNorth}},
      {"backwards across a degree", {45, 0, 0, cpNorth}, -0.5L, {44, 59, 59.5L, cpNorth}},
      {"south moves away from the equator", {20, 0, 0, cpSouth}, 90, {20, 1, 30, cpSouth}},
      {"stops at the equator", {0, 1, 0, cpSouth}, -100, {0, 0, 0, cpSouth}},
      {"exactly to the equator", {0, 0, 10, cpNorth}, -10, {0, 0, 0, cpNorth}},
      {"stops at the pole", {89, 30, 0, cpNorth}, 3600, {90, 0, 0, cpNorth}},
      {"exactly to the pole", {89, 59, 59, cpSouth}, 1, {90, 0, 0, cpSouth}},
      {"just below the pole", {89, 59, 58, cpNorth}, 1.75L, {89, 59, 59.75L, cpNorth}},
      {"far beyond the pole", {10, 0, 0, cpNorth}, 1e30L, {90, 0, 0, cpNorth}},
      {"far beyond the equator", {10, 0, 0, cpNorth}, -1e30L, {0, 0, 0, cpNorth}},
  };
  for (const auto& c : cases) {
    TNorvGPSSimulator sim;
    sim.SetLatDeg(c.start.deg);
    sim.SetLatMin(c.start.min);
    sim.SetLatSec(c.start.sec);
    sim.SetLatDir(c.start.side);
    sim.AddSecondsToLatitude(c.seconds);
    ExpectAngle({sim.Latitude_Degree(), sim.Latitude_Minute(), sim.Latitude_Second(),
                 sim.Latitude_Direction()},
                c.expected, c.name);
  }
}

TEST(PositionMovers, AddSecondsToLongitudeStopsAtThePrimeMeridianAnd180) {
  const MoveCase cases[] = {
      {"no wrap to the west", {179, 59, 59, cpEast}, 1.5L, {180, 0, 0, cpEast}},
      {"keeps the fraction", {0, 0, 0, cpEast}, 10.25L, {0, 0, 10.25L, cpEast}},
      {"stops at the prime meridian", {0, 0, 5, cpWest}, -10, {0, 0, 0, cpWest}},
      {"backwards over a degree", {10, 0, 0, cpEast}, -3600.75L, {8, 59, 59.25L, cpEast}},
      {"past 90 is fine for a longitude", {89, 59, 0, cpWest}, 120, {90, 1, 0, cpWest}},
      {"far beyond 180", {10, 0, 0, cpWest}, 1e30L, {180, 0, 0, cpWest}},
  };
  for (const auto& c : cases) {
    TNorvGPSSimulator sim;
    sim.SetLongDeg(c.start.deg);
    sim.SetLongMin(c.start.min);
    sim.SetLongSec(c.start.sec);
    sim.SetLongDir(c.start.side);
    sim.AddSecondsToLongitude(c.seconds);
    ExpectAngle({sim.Longitude_Degree(), sim.Longitude_Minute(), sim.Longitude_Second(),
                 sim.Longitude_Direction()},
                c.expected, c.name);
  }
}

}  // namespace
}  // namespace norv
