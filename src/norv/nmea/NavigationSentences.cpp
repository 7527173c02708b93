// Navigation sentences of the active route, one set per constellation in use:
//   WPL  $--WPL,ddmm.ffffff,N,dddmm.ffffff,E,name*hh      one per waypoint of the route
//   RTE  $--RTE,1,1,C,route,name1,name2,...*hh             the whole route in one sentence
//   AAM  $--AAM,A,A,distance,N,name*hh                     one per waypoint within 0.1 nmi
#include "norv/model/Geodesy.h"
#include "norv/navigation/Route.h"
#include "norv/navigation/WayPoint.h"
#include "norv/nmea/Generators.h"

namespace norv {

namespace {

// A waypoint within this many nautical miles counts as arrived (the limit itself included).
constexpr Extended kArrivalRadiusNm = 0.1L;

}  // namespace

void AppendWPL(TEpoch& Epoch) {
  if (Epoch.ActiveRoute() == nullptr) return;
  // An entry the list does not hold has no position to publish: WPL skips it.
  const auto wayPoints = Epoch.RouteWayPoints();
  Epoch.Constellations().ForEach([&](std::string_view talker, auto) {
    for (const TWayPoint* w : wayPoints) {
      if (w == nullptr) continue;
      // The identifier is the waypoint's own name, whatever the letter case of the route entry
      // that found it.
      AppendSentence(Epoch.Out(), talker, "WPL",
                     {LatitudeText(w->Latitude_Degree(), w->Latitude_Minute(),
                                   w->Latitude_Second(), w->Latitude_Direction()),
                      LongitudeText(w->Longitude_Degree(), w->Longitude_Minute(),
                                    w->Longitude_Second(), w->Longitude_Direction()),
                      w->Name()});
    }
  });
}

void AppendRTE(TEpoch& Epoch) {
  const TRoute* route = Epoch.ActiveRoute();
  if (route == nullptr) return;
  // One sentence of one, complete route; the names go out as the route lists them (a route
  // without names still has its empty list field).
  const std::vector<std::string>& names = route->WayPoints();
  const std::string_view head[] = {"1", "1", "C", route->Name(), ""};
  const std::size_t headFields = names.empty() ? 5 : 4;
  Epoch.Constellations().ForEach([&](std::string_view talker, auto) {
    Epoch.AppendSentence(talker, {"RTE"}, [&] {
      AppendSentence(Epoch.Out(), talker, "RTE", std::span(head, headFields), names);
    });
  });
}

void AppendAAM(TEpoch& Epoch) {
  const TRoute* route = Epoch.ActiveRoute();
  if (route == nullptr) return;
  const auto wayPoints = Epoch.RouteWayPoints();
  for (std::size_t entry = 0; entry < wayPoints.size(); ++entry) {
    const TWayPoint* w = wayPoints[entry];
    if (w == nullptr) continue;  // no position, no arrival
    const Extended distanceNm =
        DistanceToWayPointKm(Epoch.State().Position, *w) / kKmPerNauticalMile;
    if (!(distanceNm <= kArrivalRadiusNm)) continue;  // a NaN distance is no arrival
    // Both statuses "A": arrival circle entered and perpendicular passed. The identifier is
    // the route's entry as written.
    const TFieldText distance = DecimalText(distanceNm);
    const std::string& name = route->WayPoints()[entry];
    Epoch.Constellations().ForEach([&](std::string_view talker, auto) {
      Epoch.AppendSentence(talker, {"AAM", 0, 0, entry}, [&] {
        AppendSentence(Epoch.Out(), talker, "AAM", {"A", "A", distance, "N", name});
      });
    });
  }
}

}  // namespace norv
