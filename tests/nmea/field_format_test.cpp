#include <gtest/gtest.h>

#include "norv/framework/SysUtils.h"
#include "norv/nmea/FieldFormat.h"
#include "norv/nmea/Sentence.h"
#include "norv/nmea/Epoch.h"
#include "norv/satellites/Satellite.h"
#include "support/SimulatorProbe.h"
#include "support/SeparatorGuard.h"

namespace norv {
namespace {

using test::SimulatorProbe;

using test::SeparatorGuard;

TEST(Padding, MaxLenStrCutsLeftOrPads) {
  EXPECT_EQ(MaxLenStr("7", 2, '0'), "07");
  EXPECT_EQ(MaxLenStr("123", 2, '0'), "12");
  EXPECT_EQ(MaxLenStr("", 3, '0'), "000");
  EXPECT_EQ(MaxLenStr("45", 0, '0'), "");
  EXPECT_EQ(MaxLenStr("45", -3, '0'), "");
  EXPECT_EQ(MaxLenStrInv("2016", 2, '0'), "16");
  EXPECT_EQ(MaxLenStrInv("7", 2, '0'), "07");
}

TEST(RRound, TwoDecimalsHalfUpTruncatingNegatives) {
  struct Case {
    double in, out;
  };
  const Case cases[] = {{2.346, 2.35},   {2.344, 2.34}, {0.125, 0.13},  {1.999, 2},
                        {99.999, 100},   {359.996, 360}, {-1.239, -1.23}, {1.005, 1},
                        {2.675, 2.67},   {84.257, 84.26}, {12.345, 12.35}, {0, 0}};
  for (const auto& c : cases) EXPECT_EQ(FloatToStr(RRound(c.in)), FloatToStr(c.out)) << c.in;
}

TEST(DecimalField, DotSeparatorNoTrailingZerosNeverMinusZero) {
  SeparatorGuard guard;
  for (char sep : {'.', ','}) {
    FormatSettings.DecimalSeparator = sep;
    EXPECT_EQ(DecimalField(12.5L), "12.5");
    EXPECT_EQ(DecimalField(3), "3");
    EXPECT_EQ(DecimalField(0), "0");
    EXPECT_EQ(DecimalField(100), "100");
    EXPECT_EQ(DecimalField(0.9L), "0.9");
    EXPECT_EQ(DecimalField(12.346L), "12.35");
    EXPECT_EQ(DecimalField(1.50L), "1.5");
    EXPECT_EQ(DecimalField(-0.004L), "0");
    EXPECT_EQ(DecimalField(-0.001L), "0");
    EXPECT_EQ(DecimalField(-2.5L), "-2.5");
    EXPECT_EQ(FullDecimalField(123.456789012345678L), "123.456789012346");
  }
}

TEST(ReplaceDecimalSeparator, ReplacesTheLocaleSeparatorByTheGivenText) {
  SeparatorGuard guard;
  FormatSettings.DecimalSeparator = ',';
  EXPECT_EQ(ReplaceDecimalSeparatorEx("1,5,2", "."), "1.5.2");
  EXPECT_EQ(ReplaceDecimalSeparatorEx("1,5", "<>"), "1<>5");
  EXPECT_EQ(ReplaceDecimalSeparatorEx("", "."), "");
}

TEST(Checksum, XorBetweenDollarAndStar) {
  EXPECT_EQ(GetNMEACheckSum("$GPZDA,140709.045,05,03,2016,00,00"), "5F");
  EXPECT_EQ(GetNMEACheckSum("$GPGLL,4807.058333,N,01131.000000,E,140709.045,A"), "39");
  EXPECT_EQ(GetNMEACheckSum("$"), "00");
}

TEST(Framing, EachSentenceCarriesItsOwnChecksum) {
  TSentenceText text(0);  // no room at first: every sentence grows the text
  AppendSentence(text, "GP", "ZDA", "140709.045,05,03,2016,00,00");
  const std::size_t second = text.size();
  AppendSentence(text, "GL", "ZDA", "140709.045,05,03,2016,00,00");
  const std::string out = std::move(text).Release();
  EXPECT_EQ(out.substr(0, second), "$GPZDA,140709.045,05,03,2016,00,00*5F\r\n");
  TSentenceText aloneText(1000);
  AppendSentence(aloneText, "GL", "ZDA", "140709.045,05,03,2016,00,00");
  const std::string alone = std::move(aloneText).Release();
  EXPECT_EQ(out.substr(second), alone);
  EXPECT_EQ(alone.substr(alone.size() - 5, 3),
            "*" + GetNMEACheckSum("$GLZDA,140709.045,05,03,2016,00,00"));
}

TEST(Constellations, VisitsTypesInTalkerOrderSkippingEmptyOnes) {
  SimulatorProbe sim;
  sim.SetSatellite(201, true, 1, 1, 1, BeidouSatellite);
  sim.SetSatellite(3, true, 1, 1, 1, GpsSatellite);
  sim.SetSatellite(7, true, 1, 1, 1, GpsSatellite);
  std::string seen;
  TConstellations(sim.GetActiveSatellitesList()).ForEach([&](std::string_view talker, const auto& sats) {
    seen += std::string(talker) + ":" + std::to_string(sats.size()) + " ";
  });
  EXPECT_EQ(seen, "GP:2 BD:1 ");
}

struct PositionCase {
  int deg, min;
  long double sec;
  TCardinalPoint dir;
  const char* text;
};

TEST(PositionText, LatitudeAndLongitudeInDegreesAndDecimalMinutes) {
  const PositionCase latitudes[] = {{48, 7, 3.5L, cpNorth, "4807.058333,N"},
                                    {5, 30, 45, cpSouth, "0530.750000,S"},
                                    {0, 0, 0, cpNorth, "0000.000000,N"},
                                    {48, 7, 59.99999L, cpNorth, "4808.000000,N"},
                                    {89, 59, 59.99999L, cpSouth, "9000.000000,S"}};
  for (const auto& c : latitudes) {
    SimulatorProbe sim;
    sim.SetLatDeg(c.deg);
    sim.SetLatMin(c.min);
    sim.SetLatSec(c.sec);
    sim.SetLatDir(c.dir);
    EXPECT_EQ(sim.GetLatitudeStr(), c.text);
  }
  const PositionCase longitudes[] = {{11, 31, 0, cpEast, "01131.000000,E"},
                                     {122, 25, 9.84L, cpWest, "12225.164000,W"},
                                     {179, 59, 59.999999L, cpEast, "18000.000000,E"}};
  for (const auto& c : longitudes) {
    SimulatorProbe sim;
    sim.SetLongDeg(c.deg);
    sim.SetLongMin(c.min);
    sim.SetLongSec(c.sec);
    sim.SetLongDir(c.dir);
    EXPECT_EQ(sim.GetLongitudeStr(), c.text);
  }
}

TEST(TimeText, DateAndTimeOfTheUtcClock) {
  SimulatorProbe sim;
  sim.FixClock(2016, 3, 5, 14, 7, 9, 45);
  EXPECT_EQ(sim.GetUTCDateStr(), "050316");
  EXPECT_EQ(sim.GetCommaSeparatedUTCDateStr(), "05,03,2016");
  EXPECT_EQ(sim.GetUTCTimeStr(), "140709.045");
  sim.FixClock(2009, 11, 30, 9, 5, 3, 0);
  EXPECT_EQ(sim.GetUTCTimeStr(), "090503.000");
  EXPECT_EQ(sim.GetUTCDateStr(), "301109");
}

TEST(VariationText, SideLetter) {
  SimulatorProbe sim;
  EXPECT_EQ(sim.GetMagneticVariationDirectionStr(), "W");
  sim.SetMagnetic_Variation_Direction(cpEast);
  EXPECT_EQ(sim.GetMagneticVariationDirectionStr(), "E");
}

}  // namespace
}  // namespace norv

namespace norv {
namespace {

// The epoch's clock texts, asked for in any order over readings that change: each text is that
// of its own reading, never one left from another.
TEST(EpochClockTexts, EachTextIsOfItsOwnReading) {
  const TDateTime a = EncodeDate(2024, 3, 5) + EncodeTime(12, 35, 19, 250);
  const TDateTime b = EncodeDate(1999, 12, 31) + EncodeTime(23, 59, 59, 999);
  const TReceiverState state;
  const TSatelliteTable noSatellites;
  TEpoch epoch({state, noSatellites});
  enum Kind { Time, Date, Comma };
  const std::pair<Kind, TDateTime> asks[] = {{Time, a}, {Date, a}, {Time, b}, {Comma, a},
                                             {Date, b}, {Comma, b}, {Comma, b}, {Time, a}};
  for (const auto& [kind, reading] : asks) {
    switch (kind) {
      case Time: EXPECT_EQ(epoch.UTCTime(reading), UTCTimeText(reading).View()); break;
      case Date: EXPECT_EQ(epoch.UTCDate(reading), UTCDateText(reading).View()); break;
      case Comma:
        EXPECT_EQ(epoch.CommaSeparatedUTCDate(reading), CommaSeparatedUTCDateText(reading).View());
        break;
    }
  }
  EXPECT_EQ(epoch.UTCTime(b), "235959.999");
  EXPECT_EQ(epoch.UTCDate(a), "050324");
  EXPECT_EQ(epoch.CommaSeparatedUTCDate(a), "05,03,2024");
}

}  // namespace
}  // namespace norv
