// Coordinate and unit conversions of TNorvGPSSimulator, all in extended precision.
#include <algorithm>
#include <cmath>
#include <limits>

#include "norv/core/TNorvGPSSimulator.h"
#include "norv/model/Geodesy.h"

namespace norv {

namespace {

constexpr Extended kMinutesPerDegree = 60;
constexpr Extended kKmPerMile = 1.609344L;
constexpr Extended kFeetPerMetre = 3.2808399L;

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
  return norv::DMSToDecimalDegrees({Degree, Minute, Second, Direction});
}

Extended TNorvGPSSimulator::DMSToRadians(std::int32_t Degree, std::int32_t Minute, Extended Second,
                                         TCardinalPoint Direction) const {
  return norv::DMSToRadians({Degree, Minute, Second, Direction});
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
  return norv::DMSToDecimalDegrees(FState.Position.Latitude);
}

Extended TNorvGPSSimulator::GetLongitudeAsDecimalDegrees() const {
  return norv::DMSToDecimalDegrees(FState.Position.Longitude);
}

Extended TNorvGPSSimulator::Distance_KM(
    std::int32_t Latitude_Degree1, std::int32_t Latitude_Minute1, Extended Latitude_Second1,
    TCardinalPoint Latitude_Direction1, std::int32_t Longitude_Degree1,
    std::int32_t Longitude_Minute1, Extended Longitude_Second1,
    TCardinalPoint Longitude_Direction1, std::int32_t Latitude_Degree2,
    std::int32_t Latitude_Minute2, Extended Latitude_Second2, TCardinalPoint Latitude_Direction2,
    std::int32_t Longitude_Degree2, std::int32_t Longitude_Minute2, Extended Longitude_Second2,
    TCardinalPoint Longitude_Direction2) const {
  return DistanceKm(
      {{Latitude_Degree1, Latitude_Minute1, Latitude_Second1, Latitude_Direction1},
       {Longitude_Degree1, Longitude_Minute1, Longitude_Second1, Longitude_Direction1}},
      {{Latitude_Degree2, Latitude_Minute2, Latitude_Second2, Latitude_Direction2},
       {Longitude_Degree2, Longitude_Minute2, Longitude_Second2, Longitude_Direction2}});
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
