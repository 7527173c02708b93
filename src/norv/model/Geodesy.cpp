#include "norv/model/Geodesy.h"

#include <algorithm>
#include <cmath>

namespace norv {

namespace {

constexpr Extended kPi = 3.14159265358979323846264338327950288L;
constexpr Extended kHalfPi = 1.5707963267948966192L;

}  // namespace

Extended DMSToDecimalDegrees(const TDMSAngle& Angle) {
  const Extended value = (Angle.Minute / 60.0L + Angle.Degree) + Angle.Second / 3600.0L;
  return Angle.Direction == cpSouth || Angle.Direction == cpWest ? -value : value;
}

Extended DMSToRadians(const TDMSAngle& Angle) { return DMSToDecimalDegrees(Angle) * kPi / 180; }

Extended DistanceKm(const TGeoPoint& From, const TGeoPoint& To) {
  const Extended lat1 = DMSToRadians(From.Latitude);
  const Extended lon1 = DMSToRadians(From.Longitude);
  const Extended lat2 = DMSToRadians(To.Latitude);
  const Extended lon2 = DMSToRadians(To.Longitude);
  // Spherical law of cosines on the colatitudes.
  const Extended colat1 = kHalfPi - lat1;
  const Extended colat2 = kHalfPi - lat2;
  const Extended c = std::cos(colat1) * std::cos(colat2) +
                     std::sin(colat1) * std::sin(colat2) * std::cos(lon1 - lon2);
  // Rounding can push c a hair outside [-1, 1] for identical or antipodal points.
  return std::acos(std::clamp(c, -1.0L, 1.0L)) * kEarthRadiusKm;
}

}  // namespace norv
