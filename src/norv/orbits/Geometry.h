#pragma once
// Positions on and above the Earth: a satellite's place at an instant, WGS-84 geodetic to
// Earth-fixed coordinates, and the azimuth and elevation of one point seen from another.
#include <cmath>
#include <numbers>

#include "norv/orbits/Atan.h"
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

// The sine and cosine of a whole number of turns plus Turns, with the whole turns taken out
// first so that the angle stays small and exact however far the instant is from the epoch.
struct TSinCos {
  double Sin = 0, Cos = 1;
};
TSinCos SinCosOfTurns(double Turns);

// An orbit ready to propagate: in the inertial frame, P points to the ascending node and Q 90
// degrees ahead of it in the orbit's plane, both as long as the radius; U0 is the argument of
// latitude at the epoch. At argument of latitude u the satellite is at cos u P + sin u Q.
struct TOrbitFrame {
  TVector3 P, Q;
  TSinCos U0;
  double PeriodSeconds = 0;
};
TOrbitFrame FrameOf(const TOrbit& Orbit);

// The satellite's inertial position after Advance, the sine and cosine of the angle it has
// moved along its orbit since the epoch (the angle-sum formulas for u = U0 + advance). Inline:
// every satellite of every epoch takes this path.
inline TVector3 InertialPosition(const TOrbitFrame& Frame, const TSinCos& Advance) {
  const double cosU = Frame.U0.Cos * Advance.Cos - Frame.U0.Sin * Advance.Sin;
  const double sinU = Frame.U0.Sin * Advance.Cos + Frame.U0.Cos * Advance.Sin;
  return {cosU * Frame.P.X + sinU * Frame.Q.X, cosU * Frame.P.Y + sinU * Frame.Q.Y,
          cosU * Frame.P.Z + sinU * Frame.Q.Z};
}

// The inertial frame's coordinates of an Earth-fixed vector at Earth rotation angle Theta, and
// back.
inline TVector3 EarthFixedToInertial(const TVector3& V, const TSinCos& Theta) {
  return {Theta.Cos * V.X - Theta.Sin * V.Y, Theta.Sin * V.X + Theta.Cos * V.Y, V.Z};
}
inline TVector3 InertialToEarthFixed(const TVector3& V, const TSinCos& Theta) {
  return {Theta.Cos * V.X + Theta.Sin * V.Y, -Theta.Sin * V.X + Theta.Cos * V.Y, V.Z};
}

inline double Dot(const TVector3& a, const TVector3& b) {
  return a.X * b.X + a.Y * b.Y + a.Z * b.Z;
}

// The orbit's Earth-fixed position Seconds after J2000.0: the argument of latitude advances at
// the orbit's mean motion in the inertial frame, which is then turned by the Earth rotation
// angle.
TVector3 SatellitePosition(const TOrbit& Orbit, double Seconds);

// WGS-84 (semi-major axis 6378.137 km, flattening 1 / 298.257223563).
TVector3 GeodeticToEarthFixed(const TGeodetic& Place);

// The unit vectors east, north and up at Place, in Earth-fixed coordinates.
struct TLocalFrame {
  TVector3 East, North, Up;
};
TLocalFrame LocalFrame(const TGeodetic& Place);

// The look angle of a line of sight given by its east, north and up components (any length).
// Inline: every visible satellite of every epoch takes this path.
inline TLookAngle LookAngleOf(double East, double North, double Up) {
  constexpr double kDegrees = 180.0 / std::numbers::pi;  // a product: a division costs more
  double azimuth = Atan2(East, North) * kDegrees;
  azimuth += azimuth < 0 ? 360.0 : 0.0;
  azimuth = azimuth >= 360.0 ? 0.0 : azimuth;
  return {azimuth, Atan2(Up, std::sqrt(East * East + North * North)) * kDegrees};
}

// The look angle of Target from Place (Observer is Place in Earth-fixed coordinates), through
// the east-north-up frame of Place's ellipsoid normal.
TLookAngle LookAngle(const TGeodetic& Place, const TVector3& Observer, const TVector3& Target);

}  // namespace norv::orbits
