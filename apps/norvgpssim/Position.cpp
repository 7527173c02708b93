#include "Position.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace norvgpssim {

using norv::cpEast;
using norv::cpNorth;
using norv::cpSouth;
using norv::cpWest;

namespace {

constexpr long double kEarthRadiusMetres = norv::kEarthRadiusKm * 1000;
constexpr long double kPi = std::numbers::pi_v<long double>;
constexpr long double kPoleArcSec = 90 * 3600.0L;
constexpr long double kAntimeridianArcSec = 180 * 3600.0L;
constexpr long double kFullCircleArcSec = 360 * 3600.0L;

long double Radians(long double deg) { return deg * kPi / 180; }
long double Degrees(long double rad) { return rad * 180 / kPi; }

long double LatitudeArcSec(const norv::TNorvGPSSimulator& sim) {
  return sim.Latitude_Degree() * 3600.0L + sim.Latitude_Minute() * 60.0L + sim.Latitude_Second();
}

long double LongitudeArcSec(const norv::TNorvGPSSimulator& sim) {
  return sim.Longitude_Degree() * 3600.0L + sim.Longitude_Minute() * 60.0L +
         sim.Longitude_Second();
}

// The library adds to the magnitude of the angle (away from the equator in either hemisphere)
// and stops at 0 and at the pole; crossing the equator is a stop there, a change of hemisphere
// and the rest of the move.
bool MoveLatitude(norv::TNorvGPSSimulator& sim, long double northArcSec) {
  const bool north = sim.Latitude_Direction() == cpNorth;
  const long double away = north ? northArcSec : -northArcSec;
  const long double target = LatitudeArcSec(sim) + away;
  sim.AddSecondsToLatitude(away);  // stops at the equator or the pole when it would pass them
  if (target < 0) {
    sim.SetLatDir(north ? cpSouth : cpNorth);
    sim.AddSecondsToLatitude(-target);
    return false;
  }
  if (target > kPoleArcSec) {
    sim.AddSecondsToLatitude(-(target - kPoleArcSec));  // back down on the far side
    return true;
  }
  return false;
}

// As MoveLatitude; past 180 the longitude continues from 180 on the other side.
void MoveLongitude(norv::TNorvGPSSimulator& sim, long double eastArcSec) {
  eastArcSec = std::remainder(eastArcSec, kFullCircleArcSec);  // at most half a turn either way
  const bool east = sim.Longitude_Direction() == cpEast;
  const long double away = east ? eastArcSec : -eastArcSec;
  const long double target = LongitudeArcSec(sim) + away;
  sim.AddSecondsToLongitude(away);
  if (target < 0) {
    sim.SetLongDir(east ? cpWest : cpEast);
    sim.AddSecondsToLongitude(-target);
  } else if (target > kAntimeridianArcSec) {
    sim.SetLongDir(east ? cpWest : cpEast);
    sim.AddSecondsToLongitude(-(target - kAntimeridianArcSec));
  }
}

}  // namespace

long double MetresPerArcSecond() { return kEarthRadiusMetres * kPi / (180 * 3600); }

LatLon CurrentPosition(const norv::TNorvGPSSimulator& sim) {
  return {sim.GetLatitudeAsDecimalDegrees(), sim.GetLongitudeAsDecimalDegrees()};
}

norv::TGeoPoint ReceiverPoint(const norv::TNorvGPSSimulator& sim) {
  return {{sim.Latitude_Degree(), sim.Latitude_Minute(), sim.Latitude_Second(),
           sim.Latitude_Direction()},
          {sim.Longitude_Degree(), sim.Longitude_Minute(), sim.Longitude_Second(),
           sim.Longitude_Direction()}};
}

bool MovePosition(norv::TNorvGPSSimulator& sim, long double northArcSec, long double eastArcSec) {
  const bool overPole = MoveLatitude(sim, northArcSec);
  if (overPole) eastArcSec = kAntimeridianArcSec - eastArcSec;  // the meridian on the far side
  MoveLongitude(sim, eastArcSec);
  return overPole;
}

bool MoveAlongCourse(norv::TNorvGPSSimulator& sim, long double metres, long double courseDeg) {
  const long double course = Radians(courseDeg);
  const long double north = metres * std::cos(course) / MetresPerArcSecond();
  // East-west arc seconds shrink with the cosine of the latitude; take it at mid-step, and keep
  // it away from zero so a step at the pole itself stays finite.
  const long double midLat = CurrentPosition(sim).lat + north / 3600 / 2;
  const long double cosLat = std::max(std::cos(Radians(midLat)), 1e-12L);
  const long double east = metres * std::sin(course) / (MetresPerArcSecond() * cosLat);
  return MovePosition(sim, north, east);
}

long double CourseTo(const LatLon& from, const LatLon& to) {
  const long double phi1 = Radians(from.lat), phi2 = Radians(to.lat);
  const long double dLambda = Radians(to.lon - from.lon);
  const long double y = std::sin(dLambda) * std::cos(phi2);
  const long double x =
      std::cos(phi1) * std::sin(phi2) - std::sin(phi1) * std::cos(phi2) * std::cos(dLambda);
  return NormalizeDegrees(Degrees(std::atan2(y, x)));
}

long double NormalizeDegrees(long double deg) {
  long double d = std::fmod(deg, 360.0L);
  if (d < 0) d += 360;
  return d >= 360 ? 0 : d;
}

}  // namespace norvgpssim
