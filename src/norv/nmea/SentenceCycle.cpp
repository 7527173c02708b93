#include "norv/nmea/SentenceCycle.h"

#include "norv/navigation/Routes.h"

namespace norv {

namespace {

// A sentence of fixed fields stays well below this (82 bytes in the standard); the decimal
// fields of extreme values may take more, which costs one more allocation, never bytes.
constexpr std::size_t kSentenceRoom = 96;
constexpr std::size_t kFixedKinds = 6;  // ZDA GGA GLL VTG RMC GSA
constexpr std::size_t kGSVRoomPerSatellite = 20;
// A WPL and an AAM sentence without their names, and the name's place in RTE.
constexpr std::size_t kRoomPerWayPoint = 2 * 50 + 1;

}  // namespace

std::size_t TSentenceCycle::ExpectedSize(const TRoutes* Routes) const {
  std::size_t perTalker = kFixedKinds * kSentenceRoom;
  if (const TRoute* route = Routes != nullptr ? Routes->ActiveRoute() : nullptr) {
    perTalker += kSentenceRoom + route->Name().size();
    for (const std::string& name : route->WayPoints()) perTalker += kRoomPerWayPoint + 3 * name.size();
  }
  return FConstellations.TalkersInUse() * perTalker +
         FConstellations.Active().size() * kGSVRoomPerSatellite;
}

}  // namespace norv
