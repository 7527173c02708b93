#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "nmea/SentenceTestSupport.h"
#include "norv/nmea/FieldFormat.h"
#include "norv/satellites/Satellite.h"
#include "support/TempDir.h"

namespace norv {
namespace {

using test::Fields;
using test::Lines;

TEST(SatelliteSentences, ReferenceState) {
  TNorvGPSSimulator sim;
  test::SetReferenceState(sim);
  EXPECT_EQ(sim.GetGPGSA(),
            "$GPGSA,A,3,3,7,12,19,25,70,,,,,,,1.8,0.9,1.5*39\r\n"
            "$GLGSA,A,3,3,7,12,19,25,70,,,,,,,1.8,0.9,1.5*25\r\n");
  EXPECT_EQ(sim.GetGPGSV(),
            "$GPGSV,2,1,5,3,45,120,42,7,30,45,38,12,67,300,45,19,12,210,30*7D\r\n"
            "$GPGSV,2,2,5,25,5,15,0*4A\r\n"
            "$GLGSV,1,1,1,70,50,80,40*5A\r\n");
}

TEST(SatelliteSentences, FreshComponent) {
  TNorvGPSSimulator sim;
  test::SetFreshState(sim);
  sim.SetFixQuality(0);
  EXPECT_EQ(sim.GetGPGSA(), "$GPGSA,A,3,1,,,,,,,,,,,,0,0,0*1D\r\n");
  EXPECT_EQ(sim.GetGPGSV(), "$GPGSV,1,1,1,1,0,0,0*49\r\n");
}

TEST(SatelliteSentences, TwelveSlotsFilled) {
  TNorvGPSSimulator sim;
  for (std::uint16_t prn = 1; prn <= 12; ++prn)
    sim.SetSatellite(prn, true, 10, 20, 30, GpsSatellite);
  sim.SetPDOP(1.8L);
  sim.SetHDOP(0.9L);
  sim.SetVDOP(1.5L);
  EXPECT_EQ(sim.GetGPGSA(), "$GPGSA,A,3,1,2,3,4,5,6,7,8,9,10,11,12,1.8,0.9,1.5*05\r\n");
}

TEST(SatelliteSentences, GsaSlotsTakeTheLowestCodesOfAllConstellations) {
  TNorvGPSSimulator sim;
  for (std::uint16_t prn = 1; prn <= 11; ++prn)
    sim.SetSatellite(prn, true, 10, 20, 30, GpsSatellite);
  sim.SetSatellite(70, true, 10, 20, 30, GlonassSatellite);
  sim.SetSatellite(71, true, 10, 20, 30, GlonassSatellite);
  sim.SetSatellite(205, true, 10, 20, 30, BeidouSatellite);
  const auto lines = Lines(sim.GetGPGSA());
  ASSERT_EQ(lines.size(), 3u);
  const std::vector<std::string> slots = {"1", "2", "3", "4", "5",  "6",
                                          "7", "8", "9", "10", "11", "70"};
  for (const auto& line : lines) {
    const auto fields = Fields(line);
    ASSERT_EQ(fields.size(), 18u) << line;
    EXPECT_EQ(std::vector<std::string>(fields.begin() + 3, fields.begin() + 15), slots) << line;
  }
  EXPECT_EQ(Fields(lines[2])[0], "$BDGSA") << "BeiDou's sentence lists no BeiDou code";
}

// Each GSV sentence of a group: header fields, then the quadruples of its satellites in order.
void ExpectGsvGroup(const std::vector<std::string>& lines, std::size_t first, const char* head,
                    const std::vector<int>& codes) {
  const std::size_t count = codes.size();
  const std::size_t sentences = (count + 3) / 4;
  ASSERT_GE(lines.size(), first + sentences);
  for (std::size_t s = 0; s < sentences; ++s) {
    const auto fields = Fields(lines[first + s]);
    const std::size_t inThis = std::min<std::size_t>(4, count - s * 4);
    ASSERT_EQ(fields.size(), 4 + 4 * inThis) << lines[first + s];
    EXPECT_EQ(fields[0], head);
    EXPECT_EQ(fields[1], std::to_string(sentences));
    EXPECT_EQ(fields[2], std::to_string(s + 1));
    EXPECT_EQ(fields[3], std::to_string(count));
    for (std::size_t k = 0; k < inThis; ++k)
      EXPECT_EQ(fields[4 + 4 * k], std::to_string(codes[s * 4 + k])) << lines[first + s];
  }
}

TEST(SatelliteSentences, GsvGroupsFourSatellitesPerSentence) {
  for (int count : {1, 3, 4, 5, 8, 9, 40}) {
    TNorvGPSSimulator sim;
    std::vector<int> codes;
    for (int i = 0; i < count; ++i) {
      const int prn = 2 + i * 3;  // gaps between codes, ascending
      sim.SetSatellite(prn, true, i % 91, (i * 37) % 360, i % 100, GpsSatellite);
      codes.push_back(prn);
    }
    SCOPED_TRACE(count);
    const auto lines = Lines(sim.GetGPGSV());
    ASSERT_EQ(lines.size(), std::size_t((count + 3) / 4));
    ExpectGsvGroup(lines, 0, "$GPGSV", codes);
  }
}

TEST(SatelliteSentences, GsvDescribesEachConstellationUnderItsOwnTalker) {
  TNorvGPSSimulator sim;
  auto activate = [&sim](int first, int count, TSatelliteType type) {
    std::vector<int> codes;
    for (int prn = first; prn < first + count; ++prn) {
      sim.SetSatellite(prn, true, 40, 100, 35, type);
      codes.push_back(prn);
    }
    return codes;
  };
  const auto beidou = activate(201, 9, BeidouSatellite);
  const auto glonass = activate(66, 4, GlonassSatellite);
  const auto gps = activate(10, 5, GpsSatellite);
  const auto lines = Lines(sim.GetGPGSV());
  ASSERT_EQ(lines.size(), 2u + 1u + 3u);
  ExpectGsvGroup(lines, 0, "$GPGSV", gps);
  ExpectGsvGroup(lines, 2, "$GLGSV", glonass);
  ExpectGsvGroup(lines, 3, "$BDGSV", beidou);
}

// The numbers a satellite keeps as text follow every way the satellite can change: its own
// setters (through the pointers the component hands out), SetSatellite, a refused value (no
// change), the satellite file and ResetSatellites.
TEST(SatelliteSentences, GsvFollowsEveryChangeOfASatellite) {
  TNorvGPSSimulator sim;
  sim.SetSatellite(1, false, 0, 0, 0, GpsSatellite);
  sim.SetSatellite(235, true, 90, 359, 99, BeidouSatellite);
  EXPECT_EQ(sim.GetGPGSV(), "$BDGSV,1,1,1,235,90,359,99*5B\r\n");
  TSatellite* s = nullptr;
  for (TSatellite* each : sim.GetSatellitesList())
    if (each->PseudoRandomCode() == 235) s = each;
  ASSERT_NE(s, nullptr);
  struct Step {
    std::function<void()> Change;
    std::string Numbers;
  };
  const Step steps[] = {
      {[&] { s->SetElevation(7); }, "235,7,359,99"},
      {[&] { s->SetAzimuth(0); }, "235,7,0,99"},
      {[&] { s->SetSignalToNoiseRatio(5); }, "235,7,0,5"},
      {[&] { EXPECT_THROW(s->SetAzimuth(360), ENorvNMEAException); }, "235,7,0,5"},
      {[&] { sim.SetSatellite(235, true, 45, 123, 40, BeidouSatellite); }, "235,45,123,40"},
      {[&] {
         const test::TempDir dir("gsv-follows");
         const auto file = dir / "sky.ini";
         sim.SaveSatellitesToFile(file.string());
         sim.SetSatellite(235, true, 1, 2, 3, BeidouSatellite);
         sim.LoadSatellitesFromFile(file.string());
       },
       "235,45,123,40"},
      {[&] {
         sim.ResetSatellites();
         s->SetActive(true);
       },
       "235,0,0,0"},
  };
  for (const Step& step : steps) {
    step.Change();
    const auto fields = Fields(Lines(sim.GetGPGSV()).at(0));
    EXPECT_EQ(fields.at(4) + "," + fields.at(5) + "," + fields.at(6) + "," + fields.at(7),
              step.Numbers);
  }
}

}  // namespace
}  // namespace norv
