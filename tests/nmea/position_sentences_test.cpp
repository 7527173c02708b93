#include <gtest/gtest.h>

#include "nmea/SentenceTestSupport.h"

namespace norv {
namespace {

using test::Fields;
using test::Lines;

TEST(PositionSentences, ReferenceStateOneSentencePerConstellation) {
  TNorvGPSSimulator sim;
  test::SetReferenceState(sim);
  EXPECT_EQ(sim.GetGPGGA(),
            "$GPGGA,123519.250,4807.040000,N,01131.255000,E,1,6,0.9,545.4,M,46.9,M,,*6D\r\n"
            "$GLGGA,123519.250,4807.040000,N,01131.255000,E,1,6,0.9,545.4,M,46.9,M,,*71\r\n");
  EXPECT_EQ(sim.GetGPGLL(),
            "$GPGLL,4807.040000,N,01131.255000,E,123519.250,A*31\r\n"
            "$GLGLL,4807.040000,N,01131.255000,E,123519.250,A*2D\r\n");
  EXPECT_EQ(sim.GetGPRMC(),
            "$GPRMC,123519.250,A,4807.040000,N,01131.255000,E,12.5,84.26,050324,2.75,E,A*0E\r\n"
            "$GLRMC,123519.250,A,4807.040000,N,01131.255000,E,12.5,84.26,050324,2.75,E,A*12\r\n");
}

TEST(PositionSentences, FreshComponent) {
  TNorvGPSSimulator sim;
  test::SetFreshState(sim);
  EXPECT_EQ(sim.GetGPGGA(),
            "$GPGGA,000000.000,0000.000000,N,00000.000000,E,0,1,0,0,M,0,M,,*42\r\n");
  EXPECT_EQ(sim.GetGPGLL(), "$GPGLL,0000.000000,N,00000.000000,E,000000.000,V*23\r\n");
  EXPECT_EQ(sim.GetGPRMC(),
            "$GPRMC,000000.000,V,0000.000000,N,00000.000000,E,0,0,010125,0,W,A*19\r\n");
}

TEST(PositionSentences, SatellitesUsedIsCountedOverAllConstellationsAndCappedAt12) {
  struct Case {
    int gps, glonass, beidou;
    const char* used;
  };
  for (const Case& c : {Case{12, 0, 0, "12"}, Case{13, 0, 0, "12"}, Case{5, 1, 0, "6"},
                        Case{6, 4, 3, "12"}, Case{1, 1, 1, "3"}, Case{40, 24, 30, "12"}}) {
    TNorvGPSSimulator sim;
    for (int i = 0; i < c.gps; ++i) sim.SetSatellite(1 + i, true, 10, 10, 10, GpsSatellite);
    for (int i = 0; i < c.glonass; ++i)
      sim.SetSatellite(65 + i, true, 10, 10, 10, GlonassSatellite);
    for (int i = 0; i < c.beidou; ++i)
      sim.SetSatellite(201 + i, true, 10, 10, 10, BeidouSatellite);
    const auto lines = Lines(sim.GetGPGGA());
    ASSERT_EQ(lines.size(), std::size_t((c.gps > 0) + (c.glonass > 0) + (c.beidou > 0)));
    for (const auto& line : lines) EXPECT_EQ(Fields(line)[7], c.used) << line;
  }
}

TEST(PositionSentences, FixQualityDecidesTheStatusLetter) {
  struct Case {
    int quality;
    const char* ggaField;
    const char* status;
  };
  for (const Case& c : {Case{0, "0", "V"}, Case{1, "1", "A"}, Case{2, "2", "A"},
                        Case{-1, "-1", "A"}}) {
    TNorvGPSSimulator sim;
    test::SetFreshState(sim);
    sim.SetFixQuality(c.quality);
    EXPECT_EQ(Fields(sim.GetGPGGA())[6], c.ggaField);
    EXPECT_EQ(Fields(sim.GetGPGLL())[6], c.status);
    EXPECT_EQ(Fields(sim.GetGPRMC())[2], c.status);
  }
}

TEST(PositionSentences, DecimalFieldsHaveTwoDecimalsAtMostAndNoNegativeZero) {
  struct Case {
    long double value;
    const char* text;
  };
  const Case cases[] = {{100, "100"},     {1.50L, "1.5"},      {0.125L, "0.13"},
                        {12.346L, "12.35"}, {-12.349L, "-12.34"}, {-0.004L, "0"},
                        {-0.001L, "0"},   {99.999L, "100"}};
  for (const auto& c : cases) {
    TNorvGPSSimulator sim;
    test::SetFreshState(sim);
    sim.SetAltitude(c.value);
    sim.SetGeo_Height(c.value);
    sim.SetSpeed(c.value);
    const auto gga = Fields(sim.GetGPGGA());
    EXPECT_EQ(gga[9], c.text) << "altitude " << double(c.value);
    EXPECT_EQ(gga[11], c.text) << "geoid height " << double(c.value);
    EXPECT_EQ(Fields(sim.GetGPRMC())[7], c.text) << "speed " << double(c.value);
  }
  TNorvGPSSimulator sim;
  test::SetFreshState(sim);
  sim.SetHDOP(1.50L);
  EXPECT_EQ(Fields(sim.GetGPGGA())[8], "1.5");
}

TEST(PositionSentences, GpsAndBeidouWithoutGlonass) {
  TNorvGPSSimulator sim;
  test::SetFreshState(sim);
  sim.SetSatellite(210, true, 10, 10, 10, BeidouSatellite);
  const auto lines = Lines(sim.GetGPRMC());
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "$GPRMC,000000.000,V,0000.000000,N,00000.000000,E,0,0,010125,0,W,A*19");
  EXPECT_EQ(lines[1], "$BDRMC,000000.000,V,0000.000000,N,00000.000000,E,0,0,010125,0,W,A*08");
}

}  // namespace
}  // namespace norv
