// Satellite positions, geodetic to Earth-fixed coordinates and look angles.
#include "norv/orbits/Geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "norv/orbits/EarthRotation.h"

namespace norv::orbits {

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
constexpr double kWgs84AKm = 6378.137;
constexpr double kWgs84F = 1.0 / 298.257223563;
constexpr double kWgs84E2 = kWgs84F * (2.0 - kWgs84F);

}  // namespace

TSinCos SinCosOfTurns(double Turns) {
  // Within half a turn either way: the library's sine and cosine take their quickest path
  // for the smallest arguments.
  const double angle = 2.0 * std::numbers::pi * (Turns - std::round(Turns));
  return {std::sin(angle), std::cos(angle)};
}

TOrbitFrame FrameOf(const TOrbit& Orbit) {
  const double node = Orbit.NodeDeg * kDegree, i = Orbit.InclinationDeg * kDegree;
  const double r = Orbit.RadiusKm;
  return {{r * std::cos(node), r * std::sin(node), 0.0},
          {-r * std::sin(node) * std::cos(i), r * std::cos(node) * std::cos(i), r * std::sin(i)},
          SinCosOfTurns(Orbit.ArgumentOfLatitudeDeg / 360.0),
          Orbit.PeriodSeconds};
}

TVector3 SatellitePosition(const TOrbit& Orbit, double Seconds) {
  const TVector3 inertial =
      InertialPosition(FrameOf(Orbit), SinCosOfTurns(Seconds / Orbit.PeriodSeconds));
  return InertialToEarthFixed(inertial, SinCosOfTurns(EarthRotationAngleDeg(Seconds) / 360.0));
}

TVector3 GeodeticToEarthFixed(const TGeodetic& Place) {
  const double lat = Place.LatitudeDeg * kDegree, lon = Place.LongitudeDeg * kDegree;
  const double h = Place.HeightM / 1000.0;
  const double n = kWgs84AKm / std::sqrt(1.0 - kWgs84E2 * std::sin(lat) * std::sin(lat));
  return {(n + h) * std::cos(lat) * std::cos(lon), (n + h) * std::cos(lat) * std::sin(lon),
          (n * (1.0 - kWgs84E2) + h) * std::sin(lat)};
}

TLocalFrame LocalFrame(const TGeodetic& Place) {
  const double lat = Place.LatitudeDeg * kDegree, lon = Place.LongitudeDeg * kDegree;
  const double sinLat = std::sin(lat), cosLat = std::cos(lat);
  const double sinLon = std::sin(lon), cosLon = std::cos(lon);
  return {{-sinLon, cosLon, 0.0},
          {-sinLat * cosLon, -sinLat * sinLon, cosLat},
          {cosLat * cosLon, cosLat * sinLon, sinLat}};
}

TLookAngle LookAngle(const TGeodetic& Place, const TVector3& Observer, const TVector3& Target) {
  const TLocalFrame local = LocalFrame(Place);
  const TVector3 d{Target.X - Observer.X, Target.Y - Observer.Y, Target.Z - Observer.Z};
  return LookAngleOf(Dot(d, local.East), Dot(d, local.North), Dot(d, local.Up));
}

}  // namespace norv::orbits
