// Rules every sentence generator shares: talkers, order, framing, separator.
#include <gtest/gtest.h>

#include <cstdio>

#include "nmea/SentenceTestSupport.h"

namespace norv {
namespace {

using test::Lines;

using Generator = std::string (TNorvGPSSimulator::*)() const;

struct NamedGenerator {
  const char* kind;
  Generator get;
};

const NamedGenerator kGenerators[] = {
    {"GGA", &TNorvGPSSimulator::GetGPGGA}, {"GLL", &TNorvGPSSimulator::GetGPGLL},
    {"RMC", &TNorvGPSSimulator::GetGPRMC}, {"VTG", &TNorvGPSSimulator::GetGPVTG},
    {"ZDA", &TNorvGPSSimulator::GetGPZDA}, {"GSA", &TNorvGPSSimulator::GetGPGSA},
    {"GSV", &TNorvGPSSimulator::GetGPGSV},
};

// The checksum a receiver computes: XOR of every byte between '$' and '*'.
std::string ChecksumOf(const std::string& Sentence) {
  unsigned c = 0;
  for (std::size_t i = 1; i < Sentence.size() && Sentence[i] != '*'; ++i)
    c ^= static_cast<unsigned char>(Sentence[i]);
  char hex[3];
  std::snprintf(hex, sizeof hex, "%02X", c);
  return hex;
}

TEST(AllGenerators, NoActiveSatelliteGivesEmptyText) {
  TNorvGPSSimulator sim;
  test::SetReferenceState(sim);
  sim.ResetSatellites();
  for (const auto& g : kGenerators) EXPECT_EQ((sim.*g.get)(), "") << g.kind;
}

TEST(AllGenerators, TalkersFollowTheActiveConstellationsInOrder) {
  struct Case {
    bool gps, glonass, beidou;
    std::vector<std::string> talkers;
  };
  const Case cases[] = {
      {false, true, false, {"GL"}},
      {false, false, true, {"BD"}},
      {true, false, true, {"GP", "BD"}},
      {true, true, true, {"GP", "GL", "BD"}},
  };
  for (const auto& c : cases) {
    TNorvGPSSimulator sim;
    test::SetReferenceState(sim);
    sim.ResetSatellites();
    // Codes chosen so that ascending code order is not the talker order.
    if (c.beidou) sim.SetSatellite(5, true, 10, 20, 30, BeidouSatellite);
    if (c.glonass) sim.SetSatellite(9, true, 10, 20, 30, GlonassSatellite);
    if (c.gps) sim.SetSatellite(200, true, 10, 20, 30, GpsSatellite);
    for (const auto& g : kGenerators) {
      std::vector<std::string> talkers;
      for (const auto& line : Lines((sim.*g.get)())) {
        EXPECT_EQ(line.substr(3, 4), std::string(g.kind) + ',') << line;
        talkers.push_back(line.substr(1, 2));
      }
      EXPECT_EQ(talkers, c.talkers) << g.kind;
    }
  }
}

TEST(AllGenerators, EachSentenceCarriesTheChecksumOfItsOwnText) {
  TNorvGPSSimulator sim;
  test::SetReferenceState(sim);
  sim.SetSatellite(201, true, 10, 20, 30, BeidouSatellite);
  for (const auto& g : kGenerators) {
    const std::string text = (sim.*g.get)();
    ASSERT_EQ(text.substr(text.size() - 2), "\r\n") << g.kind;
    for (const auto& line : Lines(text)) {
      ASSERT_EQ(line[0], '$');
      ASSERT_EQ(line.find('*'), line.size() - 3) << line;
      EXPECT_EQ(line.substr(line.size() - 2), ChecksumOf(line)) << line;
    }
  }
}

TEST(AllGenerators, CommaAsTheLocaleSeparatorStillWritesAPoint) {
  TNorvGPSSimulator sim;
  test::SetReferenceState(sim);
  sim.SetHeading(123.456789012345678L);
  sim.SetSpeed(0.01L);  // km/h field 0.0185288123031314
  std::vector<std::pair<const NamedGenerator*, std::string>> withPoint;
  for (const auto& g : kGenerators) withPoint.emplace_back(&g, (sim.*g.get)());
  test::SeparatorGuard guard;
  FormatSettings.DecimalSeparator = ',';
  for (const auto& [g, text] : withPoint) EXPECT_EQ((sim.*g->get)(), text) << g->kind;
}

}  // namespace
}  // namespace norv
