// Satellite positions, geodetic to Earth-fixed coordinates and look angles.
#include "norv/orbits/Geometry.h"

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

TVector3 SatellitePosition(const TOrbit& Orbit, double Seconds) {
  // Whole revolutions are taken out before the angle is formed, so that the angle stays small
  // and exact however far the instant is from the epoch.
  const double revolutions = Seconds / Orbit.PeriodSeconds;
  const double u = Orbit.ArgumentOfLatitudeDeg * kDegree +
                   2.0 * std::numbers::pi * (revolutions - std::floor(revolutions));
  const double node = Orbit.NodeDeg * kDegree, i = Orbit.InclinationDeg * kDegree;
  const double r = Orbit.RadiusKm;
  // Inertial coordinates of the point at argument of latitude u on the inclined circle.
  const double x = r * (std::cos(node) * std::cos(u) - std::sin(node) * std::sin(u) * std::cos(i));
  const double y = r * (std::sin(node) * std::cos(u) + std::cos(node) * std::sin(u) * std::cos(i));
  const double z = r * std::sin(u) * std::sin(i);
  const double turns = EarthRotationAngleDeg(Seconds) / 360.0;
  const double theta = 2.0 * std::numbers::pi * (turns - std::floor(turns));
  return {std::cos(theta) * x + std::sin(theta) * y, -std::sin(theta) * x + std::cos(theta) * y, z};
}

TVector3 GeodeticToEarthFixed(const TGeodetic& Place) {
  const double lat = Place.LatitudeDeg * kDegree, lon = Place.LongitudeDeg * kDegree;
  const double h = Place.HeightM / 1000.0;
  const double n = kWgs84AKm / std::sqrt(1.0 - kWgs84E2 * std::sin(lat) * std::sin(lat));
  return {(n + h) * std::cos(lat) * std::cos(lon), (n + h) * std::cos(lat) * std::sin(lon),
          (n * (1.0 - kWgs84E2) + h) * std::sin(lat)};
}

TLookAngle LookAngle(const TGeodetic& Place, const TVector3& Observer, const TVector3& Target) {
  const double lat = Place.LatitudeDeg * kDegree, lon = Place.LongitudeDeg * kDegree;
  const double dx = Target.X - Observer.X, dy = Target.Y - Observer.Y, dz = Target.Z - Observer.Z;
  const double east = -std::sin(lon) * dx + std::cos(lon) * dy;
  const double north = -std::sin(lat) * std::cos(lon) * dx - std::sin(lat) * std::sin(lon) * dy +
                       std::cos(lat) * dz;
  const double up = std::cos(lat) * std::cos(lon) * dx + std::cos(lat) * std::sin(lon) * dy +
                    std::sin(lat) * dz;
  double azimuth = std::atan2(east, north) / kDegree;
  if (azimuth < 0) azimuth += 360.0;
  if (azimuth >= 360.0) azimuth = 0.0;
  return {azimuth, std::atan2(up, std::hypot(east, north)) / kDegree};
}

}  // namespace norv::orbits
