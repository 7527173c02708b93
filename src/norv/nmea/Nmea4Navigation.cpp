// The navigation sentences of the 4.11 profile, under the profile's talker:
//   WPL  $--WPL,ddmm.mmmmm,N,dddmm.mmmmm,E,name*hh   once per waypoint of the active route
//   RTE  $--RTE,total,number,c,route,name,...*hh     as many sentences as the names need
//   AAM  $--AAM,A,A,distance,N,name*hh               once: the first entry within 0.1 nmi
// Names are cut to a fixed length, so that every sentence fits and a waypoint has the same
// identifier in WPL, RTE and AAM; characters that frame sentences become '_'.
#include <algorithm>
#include <vector>

#include "norv/model/Geodesy.h"
#include "norv/navigation/Route.h"
#include "norv/navigation/Routes.h"
#include "norv/navigation/WayPoint.h"
#include "norv/navigation/WayPoints.h"
#include "norv/nmea/Nmea4Builder.h"

namespace norv {

namespace {

constexpr std::size_t kWayPointNameLength = 24;
constexpr std::size_t kRouteNameLength = 16;
constexpr Extended kArrivalRadiusNm = 0.1L;  // the limit itself included

// Name cut to Length characters, with every character the sentence framing reserves (and any
// control character) replaced by '_'.
TFieldText NameText(std::string_view Name, std::size_t Length) {
  TFieldText text;
  text.Make([&](char* p) {
    for (char c : Name.substr(0, Length)) {
      const auto u = static_cast<unsigned char>(c);
      const bool reserved = u < 0x20 || u >= 0x7F || c == ',' || c == '*' || c == '$' ||
                            c == '!' || c == '\\' || c == '^' || c == '~';
      *p++ = reserved ? '_' : c;
    }
    return p;
  });
  return text;
}

const TRoute* ActiveRoute(const TNmea4Builder& Epoch) {
  return Epoch.View().Routes != nullptr ? Epoch.View().Routes->ActiveRoute() : nullptr;
}

// The waypoint each entry of Route names, null where the list holds none.
std::vector<const TWayPoint*> RouteWayPoints(const TNmea4Builder& Epoch, const TRoute& Route) {
  if (Epoch.View().WayPoints == nullptr) return {Route.WayPoints().size(), nullptr};
  const std::vector<TWayPoint*> found = Epoch.View().WayPoints->GetByNames(Route.WayPoints());
  return {found.begin(), found.end()};
}

// The names of Route split into the groups of its RTE sentences; the digits of the sentence
// count are part of each sentence's length, so the split is redone until the count fits them.
std::vector<std::vector<std::string_view>> SplitRoute(std::string_view Talker,
                                                      std::string_view RouteName,
                                                      const std::vector<TFieldText>& Names) {
  for (std::string counter = "9";; counter += '9') {
    std::vector<std::vector<std::string_view>> groups(1);
    const std::string_view head[] = {counter, counter, "c", RouteName};
    std::size_t length = SentenceLength(Talker, "RTE", head);
    for (const TFieldText& name : Names) {
      if (!groups.back().empty() &&
          length + 1 + name.View().size() > TNmea4Epoch::kMaxSentenceLength) {
        groups.emplace_back();
        length = SentenceLength(Talker, "RTE", head);
      }
      groups.back().push_back(name);
      length += 1 + name.View().size();
    }
    if (std::to_string(groups.size()).size() <= counter.size()) return groups;
  }
}

}  // namespace

void AppendNmea4WPL(TNmea4Builder& Epoch) {
  const TRoute* route = ActiveRoute(Epoch);
  if (route == nullptr) return;
  // An entry the list does not hold has no position to publish.
  for (const TWayPoint* w : RouteWayPoints(Epoch, *route)) {
    if (w == nullptr) continue;
    const TFieldText latitude = ShortLatitudeText(w->Latitude_Degree(), w->Latitude_Minute(),
                                                  w->Latitude_Second(), w->Latitude_Direction());
    const TFieldText longitude =
        ShortLongitudeText(w->Longitude_Degree(), w->Longitude_Minute(), w->Longitude_Second(),
                           w->Longitude_Direction());
    Epoch.Append("WPL", {latitude, longitude, NameText(w->Name(), kWayPointNameLength)});
  }
}

void AppendNmea4RTE(TNmea4Builder& Epoch) {
  const TRoute* route = ActiveRoute(Epoch);
  if (route == nullptr) return;
  const TFieldText routeName = NameText(route->Name(), kRouteNameLength);
  std::vector<TFieldText> names;
  for (const std::string& name : route->WayPoints())
    names.push_back(NameText(name, kWayPointNameLength));
  const auto groups = SplitRoute(Epoch.Talker(), routeName, names);
  const std::string total = std::to_string(groups.size());
  for (std::size_t k = 0; k < groups.size(); ++k) {
    const std::string number = std::to_string(k + 1);
    std::vector<std::string_view> fields{total, number, "c", routeName};
    fields.insert(fields.end(), groups[k].begin(), groups[k].end());
    Epoch.Append(Epoch.Talker(), "RTE", fields);
  }
}

void AppendNmea4AAM(TNmea4Builder& Epoch) {
  const TRoute* route = ActiveRoute(Epoch);
  if (route == nullptr) return;
  const auto wayPoints = RouteWayPoints(Epoch, *route);
  for (std::size_t entry = 0; entry < wayPoints.size(); ++entry) {
    const TWayPoint* w = wayPoints[entry];
    if (w == nullptr) continue;
    const Extended distanceNm =
        DistanceToWayPointKm(Epoch.State().Position, *w) / kKmPerNauticalMile;
    if (!(distanceNm <= kArrivalRadiusNm)) continue;  // a NaN distance is no arrival
    const TFieldText distance = DecimalText(distanceNm);
    Epoch.Append("AAM", {"A", "A", distance, "N",
                         NameText(route->WayPoints()[entry], kWayPointNameLength)});
    return;
  }
}

}  // namespace norv
