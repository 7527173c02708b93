#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "norv/NorvGPSSimulator.h"

namespace norv {
namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;
constexpr long double kTight = 1e-15L;

TEST(Conversions, DMSToDecimalDegreesTakesItsSignFromTheSide) {
  TNorvGPSSimulator sim;
  struct Case {
    TCardinalPoint side;
    long double expected;
  };
  for (const Case& c : {Case{cpNorth, 10.51L}, Case{cpEast, 10.51L}, Case{cpSouth, -10.51L},
                        Case{cpWest, -10.51L}})
    EXPECT_NEAR(sim.DMSToDecimalDegrees(10, 30, 36, c.side), c.expected, kTight) << int(c.side);
  EXPECT_NEAR(sim.DMSToDecimalDegrees(100, 0, 0, cpNorth), 100, kTight);  // no range check
}

TEST(Conversions, DMSToRadians) {
  TNorvGPSSimulator sim;
  EXPECT_NEAR(sim.DMSToRadians(180, 0, 0, cpEast), kPi, kTight);
  EXPECT_NEAR(sim.DMSToRadians(90, 0, 0, cpSouth), -kPi / 2, kTight);
  EXPECT_NEAR(sim.DMSToRadians(10, 30, 36, cpNorth), 10.51L * kPi / 180, kTight);
}

TEST(Conversions, DecimalDegreesToDMS) {
  TNorvGPSSimulator sim;
  std::int32_t deg = -1, min = -1;
  long double sec = -1;
  TCardinalPoint side = cpWest;

  sim.LatitudeDecimalDegreesToDMS(-33.5L, deg, min, sec, side);
  EXPECT_EQ(deg, 33);
  EXPECT_EQ(min, 30);
  EXPECT_NEAR(sec, 0, 1e-12L);
  EXPECT_EQ(side, cpSouth);

  sim.LongitudeDecimalDegreesToDMS(0, deg, min, sec, side);
  EXPECT_EQ(deg, 0);
  EXPECT_EQ(min, 0);
  EXPECT_EQ(sec, 0);
  EXPECT_EQ(side, cpEast);

  sim.LongitudeDecimalDegreesToDMS(-122.4194L, deg, min, sec, side);
  EXPECT_EQ(deg, 122);
  EXPECT_EQ(min, 25);
  EXPECT_NEAR(sec, 9.84L, 1e-10L);
  EXPECT_EQ(side, cpWest);
}

TEST(Conversions, DecimalDegreesSurviveARoundTripThroughDMS) {
  TNorvGPSSimulator sim;
  for (long double value : {-89.999999L, -33.5L, -0.000001L, 0.0L, 12.3456789L, 48.1173333L,
                            90.0L}) {
    std::int32_t deg = 0, min = 0;
    long double sec = 0;
    TCardinalPoint side = cpNorth;
    sim.LatitudeDecimalDegreesToDMS(value, deg, min, sec, side);
    EXPECT_NEAR(sim.DMSToDecimalDegrees(deg, min, sec, side), value, 1e-14L) << double(value);
    sim.LongitudeDecimalDegreesToDMS(value * 2, deg, min, sec, side);
    EXPECT_NEAR(sim.DMSToDecimalDegrees(deg, min, sec, side), value * 2, 1e-14L);
  }
}

TEST(Conversions, AbsurdDecimalDegreesGiveADefinedResult) {
  TNorvGPSSimulator sim;
  std::int32_t deg = 0, min = 0;
  long double sec = 0;
  TCardinalPoint side = cpNorth;
  sim.LatitudeDecimalDegreesToDMS(1e30L, deg, min, sec, side);
  EXPECT_EQ(deg, INT32_MAX);
  EXPECT_EQ(side, cpNorth);
  sim.LatitudeDecimalDegreesToDMS(NAN, deg, min, sec, side);
  EXPECT_EQ(deg, 0);
}

TEST(Conversions, DegreesAndDecimalMinutes) {
  TNorvGPSSimulator sim;
  std::int32_t deg = 0, min = 0;
  long double sec = 0, decMin = 0;
  sim.DMToDMS(12, 30.5L, deg, min, sec);
  EXPECT_EQ(deg, 12);
  EXPECT_EQ(min, 30);
  EXPECT_NEAR(sec, 30, 1e-14L);
  sim.DMToDMS(12, -30.5L, deg, min, sec);  // truncation toward zero; seconds keep the sign
  EXPECT_EQ(min, -30);
  EXPECT_NEAR(sec, -30, 1e-14L);
  sim.DMSToDM(12, 30, 30, deg, decMin);
  EXPECT_EQ(deg, 12);
  EXPECT_NEAR(decMin, 30.5L, kTight);
}

TEST(Conversions, CurrentPositionAsDecimalDegrees) {
  TNorvGPSSimulator sim;
  sim.SetLatDeg(48);
  sim.SetLatMin(7);
  sim.SetLatSec(2.4L);
  sim.SetLatDir(cpSouth);
  sim.SetLongDeg(122);
  sim.SetLongMin(25);
  sim.SetLongSec(9.84L);
  sim.SetLongDir(cpWest);
  EXPECT_NEAR(sim.GetLatitudeAsDecimalDegrees(), -(48 + 7 / 60.0L + 2.4L / 3600), kTight);
  EXPECT_NEAR(sim.GetLongitudeAsDecimalDegrees(), -(122 + 25 / 60.0L + 9.84L / 3600), 1e-14L);
}

struct DistanceCase {
  const char* name;
  std::int32_t latDeg1, latMin1;
  long double latSec1;
  TCardinalPoint latSide1;
  std::int32_t lonDeg1, lonMin1;
  long double lonSec1;
  TCardinalPoint lonSide1;
  std::int32_t latDeg2, latMin2;
  long double latSec2;
  TCardinalPoint latSide2;
  std::int32_t lonDeg2, lonMin2;
  long double lonSec2;
  TCardinalPoint lonSide2;
  long double expectedKm;
};

TEST(Conversions, DistanceKmIsNeverNaN) {
  TNorvGPSSimulator sim;
  const long double halfCircumference = 6378.14L * kPi;
  const DistanceCase cases[] = {
      {"one degree on the equator", 0, 0, 0, cpNorth, 0, 0, 0, cpEast, 0, 0, 0, cpNorth, 1, 0, 0,
       cpEast, 6378.14L * kPi / 180},
      {"identical points", 48, 7, 2.4L, cpNorth, 11, 31, 15.3L, cpEast, 48, 7, 2.4L, cpNorth, 11,
       31, 15.3L, cpEast, 0},
      // Points where the cosine sum rounds a hair beyond 1 or -1 in extended precision.
      {"identical points near the equator", 0, 7, 29.6L, cpNorth, 3, 0, 0, cpEast, 0, 7, 29.6L,
       cpNorth, 3, 0, 0, cpEast, 0},
      {"antipodes near the equator", 0, 0, 11.1L, cpNorth, 0, 0, 0, cpEast, 0, 0, 11.1L, cpSouth,
       180, 0, 0, cpEast, halfCircumference},
      {"antipodes on the equator", 0, 0, 0, cpNorth, 0, 0, 0, cpEast, 0, 0, 0, cpNorth, 180, 0, 0,
       cpEast, halfCircumference},
      {"antipodes off the equator", 45, 0, 0, cpNorth, 10, 0, 0, cpEast, 45, 0, 0, cpSouth, 170, 0,
       0, cpWest, halfCircumference},
      {"pole to pole", 90, 0, 0, cpNorth, 0, 0, 0, cpEast, 90, 0, 0, cpSouth, 0, 0, 0, cpEast,
       halfCircumference},
  };
  for (const auto& c : cases) {
    const long double km = sim.Distance_KM(
        c.latDeg1, c.latMin1, c.latSec1, c.latSide1, c.lonDeg1, c.lonMin1, c.lonSec1, c.lonSide1,
        c.latDeg2, c.latMin2, c.latSec2, c.latSide2, c.lonDeg2, c.lonMin2, c.lonSec2, c.lonSide2);
    EXPECT_FALSE(std::isnan(km)) << c.name;
    EXPECT_NEAR(km, c.expectedKm, 1e-4L) << c.name;
  }
}

TEST(Conversions, UnitConversionsUseTheirFixedFactors) {
  TNorvGPSSimulator sim;
  EXPECT_NEAR(sim.KnotsToKmh(1), 1.852881230313137L, 1e-15L);  // 1 / 0.5397, not 1.852
  EXPECT_NEAR(sim.KmhToKnots(100), 53.97L, 1e-14L);
  EXPECT_NEAR(sim.KmhToKnots(sim.KnotsToKmh(12.345L)), 12.345L, 1e-15L);
  EXPECT_NEAR(sim.KmToNauticalMiles(1.852L), 1, 1e-18L);
  EXPECT_NEAR(sim.KmToMiles(1.609344L), 1, 1e-18L);
  EXPECT_NEAR(sim.MilesToKm(10), 16.09344L, 1e-15L);
  EXPECT_NEAR(sim.FeetToMeters(3.2808399L), 1, 1e-18L);
  EXPECT_NEAR(sim.MetersToFeet(100), 328.08399L, 1e-13L);
}

}  // namespace
}  // namespace norv
