// Navigation sentences of the active route, one set per constellation in use:
//   WPL  $--WPL,ddmm.ffffff,N,dddmm.ffffff,E,name*hh      one per waypoint of the route
//   RTE  $--RTE,1,1,C,route,name1,name2,...*hh             the whole route in one sentence
//   AAM  $--AAM,A,A,distance,N,name*hh                     one per waypoint within 0.1 nmi
#include "norv/core/TNorvGPSSimulator.h"
#include "norv/navigation/Routes.h"
#include "norv/navigation/WayPoints.h"
#include "norv/nmea/FieldFormat.h"
#include "norv/nmea/Sentence.h"

namespace norv {

namespace {

// A waypoint within this many nautical miles counts as arrived (the limit itself included).
constexpr Extended kArrivalRadiusNm = 0.1L;

const TRoute* ActiveRouteOf(const TRoutes* Routes) {
  return Routes != nullptr ? Routes->ActiveRoute() : nullptr;
}

// Resolves a route entry; null for a name the list does not hold, which has no position to
// publish, so WPL and AAM skip that entry.
const TWayPoint* Resolve(const TWayPoints* WayPoints, const std::string& Name) {
  return WayPoints != nullptr ? WayPoints->GetByName(Name) : nullptr;
}

// Position and identifier of a WPL sentence. The identifier is the waypoint's own name, whatever
// the letter case of the route entry that found it.
std::string LocationFields(const TWayPoint& W) {
  return LatitudeField(W.Latitude_Degree(), W.Latitude_Minute(), W.Latitude_Second(),
                       W.Latitude_Direction()) +
         ',' +
         LongitudeField(W.Longitude_Degree(), W.Longitude_Minute(), W.Longitude_Second(),
                        W.Longitude_Direction()) +
         ',' + W.Name();
}

}  // namespace

std::string TNorvGPSSimulator::GetGPWPL() const {
  std::string out;
  const TRoute* route = ActiveRouteOf(FRoutes);
  if (route == nullptr) return out;
  std::vector<std::string> locations;  // the fields of each resolved entry, in route order
  for (const std::string& name : route->WayPoints())
    if (const TWayPoint* w = Resolve(FWayPoints, name)) locations.push_back(LocationFields(*w));
  TConstellations(GetActiveSatellitesList()).ForEach([&](std::string_view talker, const auto&) {
    for (const std::string& fields : locations) AppendSentence(out, talker, "WPL", fields);
  });
  return out;
}

std::string TNorvGPSSimulator::GetGPRTE() const {
  std::string out;
  const TRoute* route = ActiveRouteOf(FRoutes);
  if (route == nullptr) return out;
  // One sentence of one, complete route; the names go out as the route lists them.
  const std::string fields = "1,1,C," + route->Name() + ',' + route->WayPointListToStr();
  TConstellations(GetActiveSatellitesList()).ForEach([&](std::string_view talker, const auto&) {
    AppendSentence(out, talker, "RTE", fields);
  });
  return out;
}

std::string TNorvGPSSimulator::GetGPAAM() const {
  std::string out;
  const TRoute* route = ActiveRouteOf(FRoutes);
  if (route == nullptr || route->WayPoints().empty()) return out;
  const TConstellations constellations(GetActiveSatellitesList());
  for (const std::string& name : route->WayPoints()) {
    const TWayPoint* w = Resolve(FWayPoints, name);
    if (w == nullptr) continue;
    const Extended distanceNm = KmToNauticalMiles(Distance_KM(
        FLatDeg, FLatMin, FLatSec, FLatDir, FLongDeg, FLongMin, FLongSec, FLongDir,
        w->Latitude_Degree(), w->Latitude_Minute(), w->Latitude_Second(), w->Latitude_Direction(),
        w->Longitude_Degree(), w->Longitude_Minute(), w->Longitude_Second(),
        w->Longitude_Direction()));
    if (!(distanceNm <= kArrivalRadiusNm)) continue;  // a NaN distance is no arrival
    // Both statuses "A": arrival circle entered and perpendicular passed. The identifier is
    // the route's entry as written.
    const std::string fields = "A,A," + DecimalField(distanceNm) + ",N," + name;
    constellations.ForEach([&](std::string_view talker, const auto&) {
      AppendSentence(out, talker, "AAM", fields);
    });
  }
  return out;
}

}  // namespace norv
