#include <gtest/gtest.h>

#include "nmea/SentenceTestSupport.h"

namespace norv {
namespace {

using test::Fields;

TEST(CourseTimeSentences, ReferenceStateOneSentencePerConstellation) {
  TNorvGPSSimulator sim;
  test::SetReferenceState(sim);
  EXPECT_EQ(sim.GetGPVTG(),
            "$GPVTG,84.257,T,81.5,M,12.5,N,23.1610153789142,K,A*24\r\n"
            "$GLVTG,84.257,T,81.5,M,12.5,N,23.1610153789142,K,A*38\r\n");
  EXPECT_EQ(sim.GetGPZDA(),
            "$GPZDA,123519.250,05,03,2024,00,00*5E\r\n"
            "$GLZDA,123519.250,05,03,2024,00,00*42\r\n");
}

TEST(CourseTimeSentences, FreshComponent) {
  TNorvGPSSimulator sim;
  test::SetFreshState(sim);
  EXPECT_EQ(sim.GetGPVTG(), "$GPVTG,0,T,0,M,0,N,0,K,A*23\r\n");
  EXPECT_EQ(sim.GetGPZDA(), "$GPZDA,000000.000,01,01,2025,00,00*53\r\n");
}

TEST(CourseTimeSentences, ZdaWithMillisecondsAndOnlyBeidou) {
  TNorvGPSSimulator sim;
  test::SetFixedTime(sim, 2016, 3, 5, 14, 7, 9, 45);
  sim.SetSatellite(1, true, 0, 0, 0, GpsSatellite);
  EXPECT_EQ(sim.GetGPZDA(), "$GPZDA,140709.045,05,03,2016,00,00*5F\r\n");
  sim.SetSatellite(1, false, 0, 0, 0, GpsSatellite);
  sim.SetSatellite(222, true, 0, 0, 0, BeidouSatellite);
  EXPECT_EQ(sim.GetGPZDA(), "$BDZDA,140709.045,05,03,2016,00,00*4E\r\n");
}

TEST(CourseTimeSentences, TrueCourseKeepsEveryDigitWhileRmcRoundsIt) {
  struct Case {
    long double heading;
    const char* vtg;
    const char* rmc;
  };
  for (const Case& c : {Case{84.257L, "84.257", "84.26"}, Case{359.999L, "359.999", "360"},
                        Case{123.456789012345678L, "123.456789012346", "123.46"},
                        Case{0.5L, "0.5", "0.5"}}) {
    TNorvGPSSimulator sim;
    test::SetFreshState(sim);
    sim.SetHeading(c.heading);
    sim.SetMagneticHeading(c.heading);
    const auto vtg = Fields(sim.GetGPVTG());
    EXPECT_EQ(vtg[1], c.vtg);
    EXPECT_EQ(vtg[3], c.rmc) << "the magnetic course is a two-decimal field";
    EXPECT_EQ(Fields(sim.GetGPRMC())[8], c.rmc);
  }
}

TEST(CourseTimeSentences, KmhConvertsTheKnotsAsShown) {
  struct Case {
    long double knots;
    const char* knotsField;
    const char* kmhField;
  };
  const Case cases[] = {
      {10, "10", "18.5288123031314"},
      {1, "1", "1.85288123031314"},
      {0.01L, "0.01", "0.0185288123031314"},
      {12.5L, "12.5", "23.1610153789142"},
      {12.345L, "12.35", "22.8830831943672"},  // the conversion of 12.35, not of 12.345
      {-0.004L, "0", "0"},
  };
  for (const auto& c : cases) {
    TNorvGPSSimulator sim;
    test::SetFreshState(sim);
    sim.SetSpeed(c.knots);
    const auto vtg = Fields(sim.GetGPVTG());
    EXPECT_EQ(vtg[5], c.knotsField) << double(c.knots);
    EXPECT_EQ(vtg[7], c.kmhField) << double(c.knots);
  }
}

}  // namespace
}  // namespace norv
