#pragma once
// Positions on and above the Earth: a satellite's place at an instant, WGS-84 geodetic to
// Earth-fixed coordinates, and the azimuth and elevation of one point seen from another.
#include "norv/orbits/Constellations.h"

namespace norv::orbits {

// Earth-centred, Earth-fixed coordinates in kilometres (x to 0 deg longitude in the equator,
// z to the north pole).
struct TVector3 {
  double X = 0, Y = 0, Z = 0;
};

// A place on the WGS-84 ellipsoid: latitude and longitude in degrees (south and west negative)
// and height above the ellipsoid in metres.
struct TGeodetic {
  double LatitudeDeg = 0;
  double LongitudeDeg = 0;
  double HeightM = 0;
};

// Where a satellite is seen from a receiver: degrees clockwise from true north (0 to below
// 360) and above the horizon (negative below it).
struct TLookAngle {
  double AzimuthDeg = 0;
  double ElevationDeg = 0;
};

// The orbit's position Seconds after J2000.0: the argument of latitude advances at the orbit's
// mean motion in the inertial frame, which is then turned by the Earth rotation angle.
TVector3 SatellitePosition(const TOrbit& Orbit, double Seconds);

// WGS-84 (semi-major axis 6378.137 km, flattening 1 / 298.257223563).
TVector3 GeodeticToEarthFixed(const TGeodetic& Place);

// The look angle of Target from Place (Observer is Place in Earth-fixed coordinates), through
// the east-north-up frame of Place's ellipsoid normal.
TLookAngle LookAngle(const TGeodetic& Place, const TVector3& Observer, const TVector3& Target);

}  // namespace norv::orbits
