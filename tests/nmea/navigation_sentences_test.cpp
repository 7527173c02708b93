// WPL, RTE and AAM: the active route published per constellation, byte for byte.
#include <gtest/gtest.h>

#include "nmea/SentenceTestSupport.h"

namespace norv {
namespace {

TWayPoint* NewWayPoint(const std::string& name, int latDeg, int latMin, Extended latSec,
                       TCardinalPoint latDir, int lonDeg, int lonMin, Extended lonSec,
                       TCardinalPoint lonDir) {
  auto* w = new TWayPoint(name);
  w->SetLatDeg(latDeg);
  w->SetLatMin(latMin);
  w->SetLatSec(latSec);
  w->SetLatDir(latDir);
  w->SetLongDeg(lonDeg);
  w->SetLongMin(lonMin);
  w->SetLongSec(lonSec);
  w->SetLongDir(lonDir);
  return w;
}

class NavigationSentences : public ::testing::Test {
 protected:
  // Position 48°07'00"N 11°31'00"E; WP1 3 seconds of latitude north of it (about 0.05 nmi).
  void SetUp() override {
    sim_.SetLatDeg(48);
    sim_.SetLatMin(7);
    sim_.SetLongDeg(11);
    sim_.SetLongMin(31);
    sim_.WayPoints()->Add(NewWayPoint("WP1", 48, 7, 3, cpNorth, 11, 31, 0, cpEast));
  }
  TRoute* Activate(const std::string& name, std::vector<std::string> names) {
    auto* route = new TRoute(name);
    route->WayPoints() = std::move(names);
    sim_.Routes()->Add(route);
    sim_.Routes()->SetActiveRoute(route);
    return route;
  }
  void Activate(TSatelliteType type) {
    static std::uint16_t code = 1;
    sim_.SetSatellite(code++, true, 10, 20, 30, type);
  }
  TNorvGPSSimulator sim_;
};

TEST_F(NavigationSentences, WaypointLocationPerConstellationInRouteOrder) {
  sim_.WayPoints()->GetByName("WP1")->SetLongSec(30);
  sim_.WayPoints()->Add(NewWayPoint("WP2", 5, 3, 0, cpSouth, 100, 0, 59.9L, cpWest));
  Activate(GpsSatellite);
  Activate("R1", {"WP1"});
  EXPECT_EQ(sim_.GetGPWPL(), "$GPWPL,4807.050000,N,01131.500000,E,WP1*74\r\n");
  Activate(GlonassSatellite);
  EXPECT_EQ(sim_.GetGPWPL(),
            "$GPWPL,4807.050000,N,01131.500000,E,WP1*74\r\n"
            "$GLWPL,4807.050000,N,01131.500000,E,WP1*68\r\n");
  sim_.Routes()->ActiveRoute()->WayPoints() = {"WP2", "WP1"};
  EXPECT_EQ(sim_.GetGPWPL(),
            "$GPWPL,0503.000000,S,10000.998333,W,WP2*7D\r\n"
            "$GPWPL,4807.050000,N,01131.500000,E,WP1*74\r\n"
            "$GLWPL,0503.000000,S,10000.998333,W,WP2*61\r\n"
            "$GLWPL,4807.050000,N,01131.500000,E,WP1*68\r\n");
}

TEST_F(NavigationSentences, RouteListsItsNamesAsWritten) {
  Activate(GpsSatellite);
  Activate("R1", {"WP1", "WP2"});  // WP2 is not in the waypoint list: RTE still names it
  EXPECT_EQ(sim_.GetGPRTE(), "$GPRTE,1,1,C,R1,WP1,WP2*77\r\n");
  TNorvGPSSimulator beidou;
  beidou.SetSatellite(200, true, 10, 20, 30, BeidouSatellite);
  auto* route = new TRoute("R1");
  route->WayPoints() = {"WP1", "WP2"};
  beidou.Routes()->Add(route);
  beidou.Routes()->SetActiveRoute(route);
  EXPECT_EQ(beidou.GetGPRTE(), "$BDRTE,1,1,C,R1,WP1,WP2*66\r\n");
}

TEST_F(NavigationSentences, ArrivalAlarmWithinATenthOfANauticalMile) {
  Activate(GpsSatellite);
  Activate("R1", {"WP1"});
  EXPECT_EQ(sim_.GetGPAAM(), "$GPAAM,A,A,0.05,N,WP1*15\r\n");
  Activate(GlonassSatellite);
  EXPECT_EQ(sim_.GetGPAAM(),
            "$GPAAM,A,A,0.05,N,WP1*15\r\n"
            "$GLAAM,A,A,0.05,N,WP1*09\r\n");
}

TEST_F(NavigationSentences, ArrivalLimitIsATenthOfANauticalMileInclusive) {
  Activate(GpsSatellite);
  Activate("R1", {"WP1"});
  TWayPoint* wp1 = sim_.WayPoints()->GetByName("WP1");
  struct Case {
    Extended seconds;  // of latitude north of the position
    const char* alarm;
  };
  for (const Case& c : {Case{0, "$GPAAM,A,A,0,N,WP1*3E\r\n"},
                        Case{5.98L, "$GPAAM,A,A,0.1,N,WP1*21\r\n"},  // 0.0998 nmi
                        Case{6, ""},                                 // 0.1002 nmi
                        Case{12, ""}}) {                             // about 0.2 nmi
    SCOPED_TRACE(static_cast<double>(c.seconds));
    wp1->SetLatSec(c.seconds);
    EXPECT_EQ(sim_.GetGPAAM(), c.alarm);
  }
}

TEST_F(NavigationSentences, AlarmsGoByRouteEntryThenByTalker) {
  sim_.WayPoints()->Add(NewWayPoint("WP2", 48, 7, 0, cpNorth, 11, 31, 0, cpEast));
  sim_.WayPoints()->Add(NewWayPoint("FAR", 48, 8, 0, cpNorth, 11, 31, 0, cpEast));
  Activate(GpsSatellite);
  Activate(BeidouSatellite);
  Activate("R1", {"WP2", "FAR", "WP1"});
  EXPECT_EQ(test::Lines(sim_.GetGPAAM()),
            (std::vector<std::string>{"$GPAAM,A,A,0,N,WP2*3D", "$BDAAM,A,A,0,N,WP2*2C",
                                      "$GPAAM,A,A,0.05,N,WP1*15", "$BDAAM,A,A,0.05,N,WP1*04"}));
}

TEST_F(NavigationSentences, RouteEntryInOtherCaseResolvesToTheListedWayPoint) {
  Activate(GpsSatellite);
  Activate("R1", {"wp1"});
  EXPECT_EQ(test::Fields(sim_.GetGPWPL()).back(), "WP1");
  EXPECT_EQ(test::Fields(sim_.GetGPAAM()).back(), "wp1");
  EXPECT_EQ(test::Fields(sim_.GetGPRTE()).back(), "wp1");
}

TEST_F(NavigationSentences, TheHighestMatchingWayPointIsUsed) {
  sim_.WayPoints()->Add(new TWayPoint("B"));
  sim_.WayPoints()->SetItem(1, NewWayPoint("wp1", 1, 2, 0, cpSouth, 3, 4, 0, cpWest));
  Activate(GpsSatellite);
  Activate("R1", {"WP1"});
  EXPECT_EQ(sim_.GetGPWPL(), "$GPWPL,0102.000000,S,00304.000000,W,wp1*76\r\n");
}

TEST_F(NavigationSentences, UnknownWayPointsAreSkippedByLocationAndAlarm) {
  Activate(GpsSatellite);
  Activate("R1", {"NOWHERE", "WP1"});
  EXPECT_EQ(test::Lines(sim_.GetGPWPL()).size(), 1u);
  EXPECT_EQ(test::Fields(sim_.GetGPWPL()).back(), "WP1");
  EXPECT_EQ(sim_.GetGPAAM(), "$GPAAM,A,A,0.05,N,WP1*15\r\n");
  EXPECT_EQ(test::Fields(sim_.GetGPRTE()), (std::vector<std::string>{
                                                "$GPRTE", "1", "1", "C", "R1", "NOWHERE", "WP1"}));
}

TEST_F(NavigationSentences, NothingWithoutSatellitesOrActiveRouteOrNames) {
  Activate("R1", {"WP1"});
  EXPECT_EQ(sim_.GetGPWPL() + sim_.GetGPRTE() + sim_.GetGPAAM(), "");  // no satellite

  Activate(GpsSatellite);
  Activate(GlonassSatellite);
  sim_.Routes()->SetActiveRoute(nullptr);
  EXPECT_EQ(sim_.GetGPWPL() + sim_.GetGPRTE() + sim_.GetGPAAM(), "");

  Activate("Empty", {});
  EXPECT_EQ(sim_.GetGPWPL() + sim_.GetGPAAM(), "");
  EXPECT_EQ(test::Lines(sim_.GetGPRTE()),
            (std::vector<std::string>{"$GPRTE,1,1,C,Empty,*6E", "$GLRTE,1,1,C,Empty,*72"}));

  sim_.Routes()->Delete("Empty");  // freeing the active route ends the sentences
  EXPECT_EQ(sim_.GetGPRTE(), "");
}

}  // namespace
}  // namespace norv
