#pragma once
// Angles in degrees, minutes and seconds, and the great-circle distance between two positions.
#include <cstdint>

#include "norv/Export.h"
#include "norv/framework/Types.h"
#include "norv/model/NorvTypes.h"

namespace norv {

// Mean Earth radius the distances use, in kilometres.
inline constexpr Extended kEarthRadiusKm = 6378.14L;
inline constexpr Extended kKmPerNauticalMile = 1.852L;
// Deliberately not 1 / 1.852: hosts rely on this factor in both directions.
inline constexpr Extended kKnotsPerKmh = 0.5397L;

// A latitude or longitude as degrees, minutes, seconds and side.
struct TDMSAngle {
  std::int32_t Degree = 0;
  std::int32_t Minute = 0;
  Extended Second = 0;
  TCardinalPoint Direction = cpNorth;
};

// A position on the globe.
struct TGeoPoint {
  TDMSAngle Latitude;
  TDMSAngle Longitude{0, 0, 0, cpEast};
};

// Signed decimal degrees: south and west are negative.
NORV_API Extended DMSToDecimalDegrees(const TDMSAngle& Angle);
NORV_API Extended DMSToRadians(const TDMSAngle& Angle);
// Great-circle distance by the spherical law of cosines, in kilometres; never NaN for real
// angles (the cosine is clamped to [-1, 1] against rounding).
NORV_API Extended DistanceKm(const TGeoPoint& From, const TGeoPoint& To);

}  // namespace norv
