// Coordinate and unit conversions of TNorvGPSSimulator, all in extended precision.
#include <algorithm>
#include <cmath>
#include <limits>

#include "norv/core/TNorvGPSSimulator.h"

namespace norv {

namespace {

constexpr Extended kMinutesPerDegree = 60;
constexpr Extended kSecondsPerDegree = 3600;
constexpr Extended kPi = 3.14159265358979323846264338327950288L;
constexpr Extended kHalfPi = 1.5707963267948966192L;
constexpr Extended kEarthRadiusKm = 6378.14L;
constexpr Extended kKmPerNauticalMile = 1.852L;
// Deliberately not 1 / 1.852: hosts rely on this factor in both directions.
constexpr Extended kKnotsPerKmh = 0.5397L;
constexpr Extended kKmPerMile = 1.609344L;
constexpr Extended kFeetPerMetre = 3.2808399L;

bool IsNegativeSide(TCardinalPoint Direction) {
  return Direction == cpSouth || Direction == cpWest;
}

// Integer part toward zero, saturated to the 32-bit range (NaN gives 0) so that an absurd
// argument yields an absurd but defined result instead of undefined behaviour.
std::int32_t WholePart(Extended Value) {
  if (std::isnan(Value)) return 0;
  constexpr auto lo = std::numeric_limits<std::int32_t>::min();
  constexpr auto hi = std::numeric_limits<std::int32_t>::max();
  if (Value <= lo) return lo;
  if (Value >= hi) return hi;
  return static_cast<std::int32_t>(Value);
}

// Degrees, whole minutes and seconds of a decimal angle's magnitude; the seconds are left as
// the arithmetic gives them (possibly a hair below 60).
void SplitDecimalDegrees(Extended DecDegree, std::int32_t& Degree, std::int32_t& Minute,
                         Extended& Second) {
  const Extended magnitude = std::fabs(DecDegree);
  Degree = WholePart(magnitude);
  const Extended minutes = (magnitude - Degree) * kMinutesPerDegree;
  Minute = WholePart(minutes);
  Second = (minutes - Minute) * 60;
}

}  // namespace

Extended TNorvGPSSimulator::DMSToDecimalDegrees(std::int32_t Degree, std::int32_t Minute,
                                                Extended Second, TCardinalPoint Direction) const {
  const Extended value = (Minute / kMinutesPerDegree + Degree) + Second / kSecondsPerDegree;
  return IsNegativeSide(Direction) ? -value : value;
}

Extended TNorvGPSSimulator::DMSToRadians(std::int32_t Degree, std::int32_t Minute, Extended Second,
                                         TCardinalPoint Direction) const {
  return DMSToDecimalDegrees(Degree, Minute, Second, Direction) * kPi / 180;
}

void TNorvGPSSimulator::LatitudeDecimalDegreesToDMS(Extended DecDegree, std::int32_t& Degree,
                                                    std::int32_t& Minute, Extended& Second,
                                                    TCardinalPoint& Direction) const {
  Direction = DecDegree >= 0 ? cpNorth : cpSouth;
  SplitDecimalDegrees(DecDegree, Degree, Minute, Second);
}

void TNorvGPSSimulator::LongitudeDecimalDegreesToDMS(Extended DecDegree, std::int32_t& Degree,
                                                     std::int32_t& Minute, Extended& Second,
                                                     TCardinalPoint& Direction) const {
  Direction = DecDegree >= 0 ? cpEast : cpWest;
  SplitDecimalDegrees(DecDegree, Degree, Minute, Second);
}

void TNorvGPSSimulator::DMSToDM(std::int32_t dmsDegree, std::int32_t dmsMinute, Extended dmsSecond,
                                std::int32_t& Degree, Extended& Minute) const {
  Degree = dmsDegree;
  Minute = dmsSecond / 60 + dmsMinute;
}

void TNorvGPSSimulator::DMToDMS(std::int32_t dmDegree, Extended dmMinute, std::int32_t& Degree,
                                std::int32_t& Minute, Extended& Second) const {
  Degree = dmDegree;
  Minute = WholePart(dmMinute);
  Second = (dmMinute - std::trunc(dmMinute)) * 60;  // keeps the sign of dmMinute
}

Extended TNorvGPSSimulator::GetLatitudeAsDecimalDegrees() const {
  return DMSToDecimalDegrees(FLatDeg, FLatMin, FLatSec, FLatDir);
}

Extended TNorvGPSSimulator::GetLongitudeAsDecimalDegrees() const {
  return DMSToDecimalDegrees(FLongDeg, FLongMin, FLongSec, FLongDir);
}

Extended TNorvGPSSimulator::Distance_KM(
    std::int32_t Latitude_Degree1, std::int32_t Latitude_Minute1, Extended Latitude_Second1,
    TCardinalPoint Latitude_Direction1, std::int32_t Longitude_Degree1,
    std::int32_t Longitude_Minute1, Extended Longitude_Second1,
    TCardinalPoint Longitude_Direction1, std::int32_t Latitude_Degree2,
    std::int32_t Latitude_Minute2, Extended Latitude_Second2, TCardinalPoint Latitude_Direction2,
    std::int32_t Longitude_Degree2, std::int32_t Longitude_Minute2, Extended Longitude_Second2,
    TCardinalPoint Longitude_Direction2) const {
  const Extended lat1 =
      DMSToRadians(Latitude_Degree1, Latitude_Minute1, Latitude_Second1, Latitude_Direction1);
  const Extended lon1 =
      DMSToRadians(Longitude_Degree1, Longitude_Minute1, Longitude_Second1, Longitude_Direction1);
  const Extended lat2 =
      DMSToRadians(Latitude_Degree2, Latitude_Minute2, Latitude_Second2, Latitude_Direction2);
  const Extended lon2 =
      DMSToRadians(Longitude_Degree2, Longitude_Minute2, Longitude_Second2, Longitude_Direction2);
  // Spherical law of cosines on the colatitudes.
  const Extended colat1 = kHalfPi - lat1;
  const Extended colat2 = kHalfPi - lat2;
  const Extended c = std::cos(colat1) * std::cos(colat2) +
                     std::sin(colat1) * std::sin(colat2) * std::cos(lon1 - lon2);
  // Rounding can push c a hair outside [-1, 1] for identical or antipodal points.
  return std::acos(std::clamp(c, -1.0L, 1.0L)) * kEarthRadiusKm;
}

Extended TNorvGPSSimulator::KmToNauticalMiles(Extended pDist) const {
  return pDist / kKmPerNauticalMile;
}
Extended TNorvGPSSimulator::KmhToKnots(Extended pSpeed) const { return pSpeed * kKnotsPerKmh; }
Extended TNorvGPSSimulator::KnotsToKmh(Extended pSpeed) const { return pSpeed / kKnotsPerKmh; }
Extended TNorvGPSSimulator::KmToMiles(Extended pDist) const { return pDist / kKmPerMile; }
Extended TNorvGPSSimulator::MilesToKm(Extended pDist) const { return pDist * kKmPerMile; }
Extended TNorvGPSSimulator::FeetToMeters(Extended pDist) const { return pDist / kFeetPerMetre; }
Extended TNorvGPSSimulator::MetersToFeet(Extended pDist) const { return pDist * kFeetPerMetre; }

}  // namespace norv
