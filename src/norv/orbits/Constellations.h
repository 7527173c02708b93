#pragma once
// The nominal constellations: one circular orbit per satellite of GPS, GLONASS and BeiDou.
//
// Every orbit is circular and Keplerian (no J2 drift of nodes, no eccentricity), given at the
// reference epoch J2000.0 (2000-01-01 12:00:00 UTC) by its right ascension of the ascending
// node and its argument of latitude there. The satellites keep these nominal places forever:
// the sky has the right shape, rises and sets at the right rates, but a satellite is not where
// today's real satellite of the same code is.
//
// Parameters and their sources:
//   GPS      24 slots, six planes A-F, inclination 55 deg, semi-major axis 26,559.7 km, period
//            half a sidereal day (two revolutions while the Earth turns once). Node and
//            argument-of-latitude values of the 24 slots: the baseline 24-slot table of the
//            US Government's GPS Standard Positioning Service Performance Standard (4th
//            edition, 2008), taken here as the values at J2000.0. Codes 1-24, slot order
//            A1..A4, B1..F4.
//   GLONASS  24 satellites, three planes 120 deg apart, inclination 64.8 deg, semi-major axis
//            25,508 km, 8 satellites a plane 45 deg apart, adjacent planes shifted 15 deg in
//            argument of latitude (Walker 24/3/1, the published GLONASS layout); 17 revolutions
//            in 8 sidereal days, so the ground track repeats every 8 sidereal days
//            (11 h 15 min 44 s a revolution). Plane 1's node at 0 deg at J2000.0 (our choice).
//            Codes 65-88 for orbital slots 1-24 (slots 1-8 plane 1, 9-16 plane 2, 17-24 plane 3).
//   BeiDou   24 MEO satellites, three planes 120 deg apart, inclination 55 deg, semi-major axis
//            27,906 km, Walker 24/3/1 like GLONASS, 13 revolutions in 7 sidereal days (the
//            published BeiDou MEO repeat); plane 1's node at 0 deg at J2000.0 (our choice).
//            Codes 211-234.
//            5 GEO satellites at the commonly published longitudes 58.75, 80, 110.5, 140 and
//            160 deg east: codes 201-205.
//            3 IGSO satellites: geosynchronous, inclination 55 deg, nodes 120 deg apart, all on
//            the one figure-eight ground track centred on 118 deg east (the published nominal
//            crossing longitude), 8 hours apart: codes 206-208.
//   Geosynchronous radius 42,164.17 km (period one sidereal day).
// The code ranges are those of the satellite table's files: GPS 1-32, GLONASS 65-96, BeiDou
// 201-235.
#include <cstdint>
#include <span>

#include "norv/model/NorvTypes.h"

namespace norv::orbits {

// Mean sidereal day in seconds, from the rate of the Earth rotation angle (EarthRotation.h):
// 86400 * 360 / 360.98564736629 = 86,164.0905 s.
inline constexpr double kSiderealDaySeconds = 86400.0 * 360.0 / 360.98564736629;

// One satellite's circular orbit.
struct TOrbit {
  TSatelliteType System = GpsSatellite;
  std::uint16_t Code = 0;
  double RadiusKm = 0;
  double PeriodSeconds = 0;
  double InclinationDeg = 0;
  double NodeDeg = 0;              // right ascension of the ascending node at J2000.0
  double ArgumentOfLatitudeDeg = 0;  // at J2000.0
};

// Every satellite of the three nominal constellations, in code order (80 orbits).
std::span<const TOrbit> NominalOrbits();

}  // namespace norv::orbits
