// The nominal orbits of GPS, GLONASS and BeiDou (parameters and sources in Constellations.h).
#include "norv/orbits/Constellations.h"

#include <array>
#include <vector>

#include "norv/orbits/EarthRotation.h"

namespace norv::orbits {

namespace {

constexpr double kGpsRadiusKm = 26559.7;
constexpr double kGlonassRadiusKm = 25508.0;
constexpr double kBeidouMeoRadiusKm = 27906.0;
constexpr double kGeosynchronousRadiusKm = 42164.17;

// Node of planes A-F and the argument of latitude of slots 1-4 of each plane.
constexpr std::array<double, 6> kGpsPlaneNodes{272.847, 332.847, 32.847, 92.847, 152.847, 212.847};
constexpr std::array<std::array<double, 4>, 6> kGpsSlots{{
    {268.126, 161.786, 11.676, 41.806},    // A
    {80.956, 173.336, 309.976, 204.376},   // B
    {111.876, 11.796, 339.666, 241.556},   // C
    {135.226, 265.446, 35.156, 167.356},   // D
    {197.046, 302.596, 66.066, 333.686},   // E
    {238.886, 345.226, 105.206, 135.346},  // F
}};

constexpr std::array<double, 5> kBeidouGeoLongitudes{58.75, 80.0, 110.5, 140.0, 160.0};
constexpr double kBeidouIgsoCrossingLongitude = 118.0;

void AddGps(std::vector<TOrbit>& orbits) {
  std::uint16_t code = 1;
  for (std::size_t plane = 0; plane < kGpsSlots.size(); ++plane)
    for (double u : kGpsSlots[plane])
      orbits.push_back({GpsSatellite, code++, kGpsRadiusKm, kSiderealDaySeconds / 2, 55.0,
                        kGpsPlaneNodes[plane], u});
}

// 24 satellites in three planes 120 deg apart, 45 deg apart in a plane, each plane 15 deg
// ahead of the one before (Walker 24/3/1), codes from FirstCode in slot order.
void AddWalker24(std::vector<TOrbit>& orbits, TSatelliteType system, std::uint16_t firstCode,
                 double radiusKm, double periodSeconds, double inclinationDeg) {
  for (int plane = 0; plane < 3; ++plane)
    for (int slot = 0; slot < 8; ++slot)
      orbits.push_back({system, static_cast<std::uint16_t>(firstCode + 8 * plane + slot),
                        radiusKm, periodSeconds, inclinationDeg, 120.0 * plane,
                        45.0 * slot + 15.0 * plane});
}

// A geostationary satellite at Longitude: in the equator, at the Earth's own rate, placed so
// that it stands over that longitude.
TOrbit Geostationary(std::uint16_t code, double longitudeDeg) {
  return {BeidouSatellite, code, kGeosynchronousRadiusKm, kSiderealDaySeconds, 0.0, 0.0,
          longitudeDeg + EarthRotationAngleDeg(0.0)};
}

// Satellite k of three on one geosynchronous figure-eight: a satellite crosses the equator
// northwards over longitude Node - (rotation angle at that moment); with node
// Crossing + angle(epoch) - 120 k and argument of latitude 120 k at the epoch, every one of
// them crosses at Crossing, 8 hours after the one before.
TOrbit InclinedGeosynchronous(std::uint16_t code, int k) {
  return {BeidouSatellite, code, kGeosynchronousRadiusKm, kSiderealDaySeconds, 55.0,
          kBeidouIgsoCrossingLongitude + EarthRotationAngleDeg(0.0) - 120.0 * k, 120.0 * k};
}

std::vector<TOrbit> MakeOrbits() {
  std::vector<TOrbit> orbits;
  AddGps(orbits);
  AddWalker24(orbits, GlonassSatellite, 65, kGlonassRadiusKm, 8 * kSiderealDaySeconds / 17, 64.8);
  for (std::size_t i = 0; i < kBeidouGeoLongitudes.size(); ++i)
    orbits.push_back(Geostationary(static_cast<std::uint16_t>(201 + i), kBeidouGeoLongitudes[i]));
  for (int k = 0; k < 3; ++k)
    orbits.push_back(InclinedGeosynchronous(static_cast<std::uint16_t>(206 + k), k));
  AddWalker24(orbits, BeidouSatellite, 211, kBeidouMeoRadiusKm, 7 * kSiderealDaySeconds / 13,
              55.0);
  return orbits;
}

}  // namespace

std::span<const TOrbit> NominalOrbits() {
  static const std::vector<TOrbit> orbits = MakeOrbits();
  return orbits;
}

}  // namespace norv::orbits
