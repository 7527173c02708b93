// Navigation sentences of the active route, one set per constellation in use:
//   WPL  $--WPL,ddmm.ffffff,N,dddmm.ffffff,E,name*hh      one per waypoint of the route
//   RTE  $--RTE,1,1,C,route,name1,name2,...*hh             the whole route in one sentence
//   AAM  $--AAM,A,A,distance,N,name*hh                     one per waypoint within 0.1 nmi
#include <variant>

#include "norv/core/TNorvGPSSimulator.h"
#include "norv/navigation/Routes.h"
#include "norv/navigation/WayPoints.h"
#include "norv/nmea/Sentence.h"
#include "norv/nmea/SentenceCycle.h"

namespace norv {

namespace {

// A waypoint within this many nautical miles counts as arrived (the limit itself included).
constexpr Extended kArrivalRadiusNm = 0.1L;

const TRoute* ActiveRouteOf(const TRoutes* Routes) {
  return Routes != nullptr ? Routes->ActiveRoute() : nullptr;
}

}  // namespace

void TNorvGPSSimulator::AppendGPWPL(TSentenceText& Out, TSentenceCycle& Cycle) const {
  const TRoute* route = ActiveRouteOf(FRoutes);
  if (route == nullptr) return;
  // An entry the list does not hold has no position to publish: WPL skips it.
  const auto wayPoints = Cycle.RouteWayPoints(*route, FWayPoints);
  Cycle.Constellations().ForEach([&](std::string_view talker, auto) {
    for (const TWayPoint* w : wayPoints) {
      if (w == nullptr) continue;
      // The identifier is the waypoint's own name, whatever the letter case of the route entry
      // that found it.
      AppendSentence(Out, talker, "WPL",
                     {LatitudeText(w->Latitude_Degree(), w->Latitude_Minute(),
                                   w->Latitude_Second(), w->Latitude_Direction()),
                      LongitudeText(w->Longitude_Degree(), w->Longitude_Minute(),
                                    w->Longitude_Second(), w->Longitude_Direction()),
                      w->Name()});
    }
  });
}

void TNorvGPSSimulator::AppendGPRTE(TSentenceText& Out, TSentenceCycle& Cycle) const {
  const TRoute* route = ActiveRouteOf(FRoutes);
  if (route == nullptr) return;
  // One sentence of one, complete route; the names go out as the route lists them (a route
  // without names still has its empty list field).
  const std::vector<std::string>& names = route->WayPoints();
  const std::string_view head[] = {"1", "1", "C", route->Name(), ""};
  const std::size_t headFields = names.empty() ? 5 : 4;
  TTalkerSentences<std::monostate> sentences(Out);
  Cycle.Constellations().ForEach([&](std::string_view talker, auto) {
    sentences.Append(talker, {}, [&] {
      AppendSentence(Out, talker, "RTE", std::span(head, headFields), names);
    });
  });
}

void TNorvGPSSimulator::AppendGPAAM(TSentenceText& Out, TSentenceCycle& Cycle) const {
  const TRoute* route = ActiveRouteOf(FRoutes);
  if (route == nullptr) return;
  const auto wayPoints = Cycle.RouteWayPoints(*route, FWayPoints);
  for (std::size_t entry = 0; entry < wayPoints.size(); ++entry) {
    const TWayPoint* w = wayPoints[entry];
    if (w == nullptr) continue;  // no position, no arrival
    const std::string& name = route->WayPoints()[entry];
    const Extended distanceNm = KmToNauticalMiles(Distance_KM(
        FLatDeg, FLatMin, FLatSec, FLatDir, FLongDeg, FLongMin, FLongSec, FLongDir,
        w->Latitude_Degree(), w->Latitude_Minute(), w->Latitude_Second(), w->Latitude_Direction(),
        w->Longitude_Degree(), w->Longitude_Minute(), w->Longitude_Second(),
        w->Longitude_Direction()));
    if (!(distanceNm <= kArrivalRadiusNm)) continue;  // a NaN distance is no arrival
    // Both statuses "A": arrival circle entered and perpendicular passed. The identifier is
    // the route's entry as written.
    const TFieldText distance = DecimalText(distanceNm);
    TTalkerSentences<std::monostate> sentences(Out);
    Cycle.Constellations().ForEach([&](std::string_view talker, auto) {
      sentences.Append(talker, {}, [&] {
        AppendSentence(Out, talker, "AAM", {"A", "A", distance, "N", name});
      });
    });
  }
}

std::string TNorvGPSSimulator::GetGPWPL() const {
  return GenerateAlone(&TNorvGPSSimulator::AppendGPWPL);
}

std::string TNorvGPSSimulator::GetGPRTE() const {
  return GenerateAlone(&TNorvGPSSimulator::AppendGPRTE);
}

std::string TNorvGPSSimulator::GetGPAAM() const {
  return GenerateAlone(&TNorvGPSSimulator::AppendGPAAM);
}

}  // namespace norv
