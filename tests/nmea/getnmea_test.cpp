// GetNMEA: which kinds Commands selects, and the fixed order they come out in.
#include <gtest/gtest.h>

#include "nmea/SentenceTestSupport.h"

namespace norv {
namespace {

using test::Lines;

// The kind of each sentence ("$GPGGA,..." gives "GGA"), in output order.
std::vector<std::string> Kinds(const std::string& text) {
  std::vector<std::string> kinds;
  for (const std::string& line : Lines(text)) kinds.push_back(line.substr(3, 3));
  return kinds;
}

// Reference state, plus a GPS, a GLONASS and a BeiDou satellite and an active route through a
// waypoint at the position, so that every kind has something to say.
void SetEverythingActive(TNorvGPSSimulator& sim) {
  test::SetReferenceState(sim);
  sim.SetSatellite(200, true, 10, 20, 30, BeidouSatellite);
  auto* here = new TWayPoint("HERE");
  here->SetLatDeg(48);
  here->SetLatMin(7);
  here->SetLatSec(2.4L);
  here->SetLongDeg(11);
  here->SetLongMin(31);
  here->SetLongSec(15.3L);
  sim.WayPoints()->Add(here);
  auto* route = new TRoute("R");
  route->WayPoints() = {"HERE"};
  sim.Routes()->Add(route);
  sim.Routes()->SetActiveRoute(route);
}

struct KindCase {
  TNMEACommand command;
  std::string (TNorvGPSSimulator::*generate)() const;
};

const KindCase kKinds[] = {
    {GPZDA, &TNorvGPSSimulator::GetGPZDA}, {GPGGA, &TNorvGPSSimulator::GetGPGGA},
    {GPGLL, &TNorvGPSSimulator::GetGPGLL}, {GPVTG, &TNorvGPSSimulator::GetGPVTG},
    {GPRMC, &TNorvGPSSimulator::GetGPRMC}, {GPGSA, &TNorvGPSSimulator::GetGPGSA},
    {GPGSV, &TNorvGPSSimulator::GetGPGSV}, {GPWPL, &TNorvGPSSimulator::GetGPWPL},
    {GPRTE, &TNorvGPSSimulator::GetGPRTE}, {GPAAM, &TNorvGPSSimulator::GetGPAAM},
};

TEST(GetNMEA, EachKindAloneGivesExactlyItsGeneratorsText) {
  TNorvGPSSimulator sim;
  SetEverythingActive(sim);
  for (const KindCase& k : kKinds) {
    sim.SetCommands({k.command});
    const std::string text = sim.GetNMEA();
    EXPECT_FALSE(text.empty()) << k.command;
    EXPECT_EQ(text, (sim.*k.generate)()) << k.command;
  }
}

TEST(GetNMEA, AllKindsComeInTheFixedOrderWhateverTheSelectionOrder) {
  TNorvGPSSimulator sim;
  SetEverythingActive(sim);
  std::string expected;
  for (const KindCase& k : kKinds) expected += (sim.*k.generate)();
  EXPECT_EQ(sim.GetNMEA(), expected);  // a new component selects everything
  sim.SetCommands({AllNMEA});
  EXPECT_EQ(sim.GetNMEA(), expected);
  sim.SetCommands({GPAAM, AllNMEA});
  EXPECT_EQ(sim.GetNMEA(), expected);
  const std::vector<std::string> talkers = {"GP", "GL", "BD"};
  std::vector<std::string> heads;
  for (const std::string& line : Lines(expected)) heads.push_back(line.substr(1, 5));
  std::vector<std::string> expectedHeads;
  for (const char* kind : {"ZDA", "GGA", "GLL", "VTG", "RMC", "GSA"})
    for (const std::string& t : talkers) expectedHeads.push_back(t + kind);
  for (const std::string& t : talkers)  // the satellites of the reference state: two GPS pages
    for (int page = 0; page < (t == "GP" ? 2 : 1); ++page) expectedHeads.push_back(t + "GSV");
  for (const char* kind : {"WPL", "RTE", "AAM"})
    for (const std::string& t : talkers) expectedHeads.push_back(t + kind);
  EXPECT_EQ(heads, expectedHeads);
}

TEST(GetNMEA, SelectionPicksKindsButNeverTheirOrder) {
  TNorvGPSSimulator sim;
  test::SetFreshState(sim);  // only GPS satellite 1
  sim.SetCommands({GPRMC, GPGGA});
  EXPECT_EQ(Kinds(sim.GetNMEA()), (std::vector<std::string>{"GGA", "RMC"}));
  sim.SetCommands({GPGLL, GPZDA});
  const std::string text = sim.GetNMEA();
  EXPECT_EQ(text, sim.GetGPZDA() + sim.GetGPGLL());
  EXPECT_EQ(Kinds(text), (std::vector<std::string>{"ZDA", "GLL"}));
}

TEST(GetNMEA, NothingSelectedOrNoSatelliteGivesNothing) {
  TNorvGPSSimulator sim;
  SetEverythingActive(sim);
  sim.SetCommands({});
  EXPECT_EQ(sim.GetNMEA(), "");
  sim.SetCommands({AllNMEA});
  sim.ResetSatellites();
  EXPECT_EQ(sim.GetNMEA(), "");
}

TEST(GetNMEA, NewComponentWithoutRouteHasNoNavigationSentences) {
  TNorvGPSSimulator sim;
  test::SetFreshState(sim);
  sim.SetSatellite(70, true, 10, 20, 30, GlonassSatellite);
  sim.SetSatellite(200, true, 10, 20, 30, BeidouSatellite);
  EXPECT_EQ(Kinds(sim.GetNMEA()),
            (std::vector<std::string>{"ZDA", "ZDA", "ZDA", "GGA", "GGA", "GGA", "GLL", "GLL",
                                      "GLL", "VTG", "VTG", "VTG", "RMC", "RMC", "RMC", "GSA",
                                      "GSA", "GSA", "GSV", "GSV", "GSV"}));
}

}  // namespace
}  // namespace norv
