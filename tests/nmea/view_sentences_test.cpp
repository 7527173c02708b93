// The sentence functions over a view: a state record, a satellite table and lists, no component.
#include <gtest/gtest.h>

#include "nmea/SentenceTestSupport.h"
#include "norv/nmea/Sentences.h"

namespace norv {
namespace {

// The reference state of the component tests, set in the record directly.
TReceiverState ReferenceState() {
  TReceiverState s;
  s.UseSystemDateTime = false;
  s.UTCDateTime = EncodeDate(2024, 3, 5) + EncodeTime(12, 35, 19, 250);
  s.Position = {{48, 7, 2.4L, cpNorth}, {11, 31, 15.3L, cpEast}};
  s.FixQuality = 1;
  s.HDOP = 0.9L;
  s.Altitude = 545.4L;
  s.Geo_Height = 46.9L;
  return s;
}

TEST(ViewSentences, AStateRecordAndATableGiveTheComponentsText) {
  const TReceiverState state = ReferenceState();
  TSatelliteTable table;
  for (std::uint16_t code : {3, 7, 12, 19, 25}) table.SetSatellite(code, true, 1, 2, 3, GpsSatellite);
  table.SetSatellite(70, true, 50, 80, 40, GlonassSatellite);
  EXPECT_EQ(SentencesOfKind({state, table}, GPGGA),
            "$GPGGA,123519.250,4807.040000,N,01131.255000,E,1,6,0.9,545.4,M,46.9,M,,*6D\r\n"
            "$GLGGA,123519.250,4807.040000,N,01131.255000,E,1,6,0.9,545.4,M,46.9,M,,*71\r\n");
  EXPECT_EQ(NMEASentences({state, table}, {GPGGA}), SentencesOfKind({state, table}, GPGGA));
}

// Without a waypoint list the route still has its RTE, but no entry has a position to publish
// or to arrive at.
TEST(ViewSentences, AnActiveRouteWithoutAWaypointListHasOnlyItsRoute) {
  const TReceiverState state = ReferenceState();
  TSatelliteTable table;
  table.SetSatellite(1, true, 0, 0, 0, GpsSatellite);
  TRoutes routes;
  auto* route = new TRoute("R1");
  route->WayPoints() = {"WP1", "WP2"};
  routes.Add(route);
  routes.SetActiveRoute(route);
  const TReceiverView view{state, table, nullptr, &routes};
  EXPECT_EQ(SentencesOfKind(view, GPRTE), "$GPRTE,1,1,C,R1,WP1,WP2*77\r\n");
  EXPECT_EQ(SentencesOfKind(view, GPWPL), "");
  EXPECT_EQ(SentencesOfKind(view, GPAAM), "");
}

}  // namespace
}  // namespace norv
