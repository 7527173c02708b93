// The scenario of a run without --scenario: a vessel leaving Kiel Fjord for the Baltic.
#include "Scenario.h"
#include "norv/navigation/Route.h"
#include "norv/navigation/Routes.h"
#include "norv/navigation/WayPoint.h"
#include "norv/navigation/WayPoints.h"

namespace norvgpssim {

namespace {

struct SkySatellite {
  std::uint16_t prn;
  std::int32_t elevation, azimuth, snr;
  norv::TSatelliteType type;
};

// Spread over the sky as a receiver at 54.5 N sees them: GPS 1-32, GLONASS 65-96, BeiDou
// 201-235; low satellites have the weaker signals.
constexpr SkySatellite kSky[] = {
    {2, 67, 289, 47, norv::GpsSatellite},       {5, 12, 38, 31, norv::GpsSatellite},
    {12, 44, 118, 44, norv::GpsSatellite},      {13, 25, 203, 38, norv::GpsSatellite},
    {15, 8, 331, 27, norv::GpsSatellite},       {18, 53, 61, 45, norv::GpsSatellite},
    {24, 31, 158, 40, norv::GpsSatellite},      {29, 19, 254, 35, norv::GpsSatellite},
    {66, 58, 96, 43, norv::GlonassSatellite},   {67, 22, 172, 36, norv::GlonassSatellite},
    {75, 41, 306, 41, norv::GlonassSatellite},  {76, 15, 233, 30, norv::GlonassSatellite},
    {82, 34, 18, 39, norv::GlonassSatellite},   {203, 37, 140, 39, norv::BeidouSatellite},
    {206, 28, 267, 36, norv::BeidouSatellite},  {214, 62, 211, 44, norv::BeidouSatellite},
    {221, 10, 76, 29, norv::BeidouSatellite},
};

struct RoutePoint {
  const char* name;
  std::int32_t latDeg, latMin;
  long double latSec;
  std::int32_t lonDeg, lonMin;
  long double lonSec;
};

// On the track ahead, 0.5, 1.5 and 3 nautical miles from the start.
constexpr RoutePoint kRoute[] = {
    {"FAIRWY", 54, 29, 42.97L, 10, 17, 21.31L},
    {"BUOY2", 54, 29, 48.92L, 10, 19, 3.93L},
    {"OUTER", 54, 29, 57.85L, 10, 21, 37.86L},
};

void SetReceiver(norv::TNorvGPSSimulator& sim) {
  sim.SetLatDeg(54);
  sim.SetLatMin(29);
  sim.SetLatSec(40);
  sim.SetLatDir(norv::cpNorth);
  sim.SetLongDeg(10);
  sim.SetLongMin(16);
  sim.SetLongSec(30);
  sim.SetLongDir(norv::cpEast);
  sim.SetSpeed(12.5L);
  sim.SetHeading(84.3L);
  sim.SetMagneticVariation(4.1L);  // east in the western Baltic
  sim.SetMagnetic_Variation_Direction(norv::cpEast);
  sim.SetMagneticHeading(80.2L);
  sim.SetAltitude(14.2L);    // antenna above mean sea level
  sim.SetGeo_Height(39.6L);  // geoid above the ellipsoid here
  sim.SetHDOP(0.9L);
  sim.SetVDOP(1.3L);
  sim.SetPDOP(1.6L);
  sim.SetFixQuality(1);
}

}  // namespace

void LoadBuiltinWayPoints(norv::TNorvGPSSimulator& sim) {
  for (const RoutePoint& p : kRoute) {
    auto* wp = new norv::TWayPoint(p.name);
    wp->SetLatDeg(p.latDeg);
    wp->SetLatMin(p.latMin);
    wp->SetLatSec(p.latSec);
    wp->SetLatDir(norv::cpNorth);
    wp->SetLongDeg(p.lonDeg);
    wp->SetLongMin(p.lonMin);
    wp->SetLongSec(p.lonSec);
    wp->SetLongDir(norv::cpEast);
    sim.WayPoints()->Add(wp);
  }
}

void LoadBuiltinRoute(norv::TNorvGPSSimulator& sim) {
  auto* route = new norv::TRoute("OUTBOUND");
  for (const RoutePoint& p : kRoute) route->WayPoints().push_back(p.name);
  sim.Routes()->Add(route);
  sim.Routes()->SetActiveRoute(route);
}

void LoadBuiltinSatellites(norv::TNorvGPSSimulator& sim) {
  for (const SkySatellite& s : kSky)
    sim.SetSatellite(s.prn, true, s.elevation, s.azimuth, s.snr, s.type);
}

MotionSettings LoadBuiltinScenario(norv::TNorvGPSSimulator& sim) {
  SetReceiver(sim);
  LoadBuiltinSatellites(sim);
  LoadBuiltinWayPoints(sim);
  LoadBuiltinRoute(sim);
  return {MotionMode::Constant, RouteEnd::Stop};
}

MotionSettings LoadScenario(norv::TNorvGPSSimulator& sim,
                            const std::optional<std::filesystem::path>& file, bool strict) {
  return file ? LoadScenarioFile(sim, *file, strict) : LoadBuiltinScenario(sim);
}

}  // namespace norvgpssim
