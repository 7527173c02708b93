#include "Motion.h"

#include "Position.h"
#include "norv/framework/SysUtils.h"
#include "norv/navigation/Route.h"
#include "norv/navigation/Routes.h"
#include "norv/navigation/WayPoint.h"
#include "norv/navigation/WayPoints.h"

namespace norvgpssim {

namespace {

constexpr long double kMetresPerNauticalMile = 1852;

LatLon WayPointPosition(const norv::TNorvGPSSimulator& sim, const norv::TWayPoint& wp) {
  return {sim.DMSToDecimalDegrees(wp.Latitude_Degree(), wp.Latitude_Minute(),
                                  wp.Latitude_Second(), wp.Latitude_Direction()),
          sim.DMSToDecimalDegrees(wp.Longitude_Degree(), wp.Longitude_Minute(),
                                  wp.Longitude_Second(), wp.Longitude_Direction())};
}

long double DistanceMetres(const norv::TNorvGPSSimulator& sim, const norv::TWayPoint& wp) {
  return norv::DistanceToWayPointKm(ReceiverPoint(sim), wp) * 1000;
}

}  // namespace

bool ParseMotionMode(const std::string& text, MotionMode& mode) {
  const std::string t = norv::UpperCase(text);
  if (t == "STATIC") mode = MotionMode::Static;
  else if (t == "CONSTANT") mode = MotionMode::Constant;
  else if (t == "ROUTE") mode = MotionMode::Route;
  else return false;
  return true;
}

bool ParseRouteEnd(const std::string& text, RouteEnd& end) {
  const std::string t = norv::UpperCase(text);
  if (t == "STOP") end = RouteEnd::Stop;
  else if (t == "REPEAT") end = RouteEnd::Repeat;
  else return false;
  return true;
}

const char* MotionModeName(MotionMode mode) {
  switch (mode) {
    case MotionMode::Static: return "static";
    case MotionMode::Constant: return "constant";
    case MotionMode::Route: return "route";
  }
  return "?";
}

void Motion::Advance(double seconds) {
  const long double metres = FSim.Speed() * kMetresPerNauticalMile / 3600 * seconds;
  switch (FSettings.mode) {
    case MotionMode::Static: break;
    case MotionMode::Constant: AdvanceConstant(metres); break;
    case MotionMode::Route: AdvanceRoute(metres); break;
  }
}

void Motion::AdvanceConstant(long double metres) {
  if (MoveAlongCourse(FSim, metres, FSim.Heading()))
    Steer(NormalizeDegrees(FSim.Heading() + 180));  // over the pole the course turns round
}

// Heads for the current waypoint; a step that would reach it ends on it, so the epoch after
// the arrival reports the position at the waypoint (and the arrival alarm fires), and the next
// step heads for the next waypoint.
void Motion::AdvanceRoute(long double metres) {
  norv::TRoute* route = FSim.Routes()->ActiveRoute();
  if (route == nullptr || FRouteFinished) return;
  const auto& names = route->WayPoints();
  // Entries the waypoint list does not hold cannot be steered to; pass over them.
  while (FTarget < names.size() && FSim.WayPoints()->GetByName(names[FTarget]) == nullptr)
    ++FTarget;
  if (FTarget >= names.size()) {
    ArriveAtTarget();
    return;
  }
  const norv::TWayPoint& wp = *FSim.WayPoints()->GetByName(names[FTarget]);
  const LatLon here = CurrentPosition(FSim), there = WayPointPosition(FSim, wp);
  if (DistanceMetres(FSim, wp) > metres) {
    Steer(CourseTo(here, there));
    MoveAlongCourse(FSim, metres, FSim.Heading());
    return;
  }
  if (metres > 0) Steer(CourseTo(here, there));
  MovePosition(FSim, (there.lat - here.lat) * 3600, (there.lon - here.lon) * 3600);
  ++FTarget;
  if (FTarget >= names.size()) ArriveAtTarget();
}

void Motion::ArriveAtTarget() {
  if (FSettings.routeEnd == RouteEnd::Repeat) {
    FTarget = 0;
    return;
  }
  FRouteFinished = true;
  FSim.SetSpeed(0);
}

void Motion::Steer(long double trueCourse) {
  FSim.SetHeading(trueCourse);
  // A westerly variation puts magnetic north west of true north: magnetic = true + variation.
  const long double variation = FSim.Magnetic_Variation_Direction() == norv::cpWest
                                    ? FSim.Magnetic_Variation()
                                    : -FSim.Magnetic_Variation();
  FSim.SetMagneticHeading(NormalizeDegrees(trueCourse + variation));
}

}  // namespace norvgpssim
