#pragma once
// Time since the reference epoch and the Earth's rotation angle, from a UTC instant.
#include "norv/framework/Types.h"

namespace norv::orbits {

// The reference epoch J2000.0, 2000-01-01 12:00:00 UTC, as a TDateTime.
inline constexpr TDateTime kReferenceEpoch = 36526.5;

// Seconds from the reference epoch to Utc (negative before it).
inline double SecondsSinceReferenceEpoch(TDateTime Utc) {
  return (Utc - kReferenceEpoch) * 86400.0;
}

// Greenwich mean sidereal time in degrees (not reduced to 0-360), Seconds after J2000.0: the
// linear term of the IAU 1982 expression, 280.46061837 + 360.98564736629 * days, with UT1
// taken as UTC. The quadratic terms (below 0.1 arcsecond a century) are left out, so the
// rotation rate is exactly one turn per kSiderealDaySeconds.
inline double EarthRotationAngleDeg(double Seconds) {
  return 280.46061837 + 360.98564736629 * (Seconds / 86400.0);
}

}  // namespace norv::orbits
