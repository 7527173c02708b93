#include "BenchWorkload.h"

#include <array>
#include <cstdio>

#include "norv/navigation/Route.h"
#include "norv/navigation/Routes.h"
#include "norv/navigation/WayPoint.h"
#include "norv/navigation/WayPoints.h"

namespace norv::bench {

namespace {

// The peers' sky: elevation, azimuth and signal-to-noise ratio derived from the code.
void ActivatePeerSatellite(TNorvGPSSimulator& Sim, int Code, TSatelliteType Type) {
  Sim.SetSatellite(static_cast<std::uint16_t>(Code), true, 5 + (Code * 37) % 85,
                   (Code * 53) % 360, 20 + (Code * 11) % 30, Type);
}

struct CodeRange {
  int first, last;
  TSatelliteType type;
};

constexpr std::array<CodeRange, 3> kRanges{{
    {1, 64, GpsSatellite}, {65, 200, GlonassSatellite}, {201, 235, BeidouSatellite}}};

}  // namespace

TNMEACommands PeerCommands() {
  return {GPZDA, GPGGA, GPGLL, GPVTG, GPRMC, GPGSA, GPGSV};
}

void SetPeerWorkload(TNorvGPSSimulator& Sim) {
  Sim.SetUseSystemDateTime(false);
  Sim.SetUTCDateTime(EncodeDate(2024, 3, 5) + EncodeTime(12, 35, 19, 250));
  Sim.SetLatDeg(48);
  Sim.SetLatMin(7);
  Sim.SetLatSec(2.4L);
  Sim.SetLatDir(cpNorth);
  Sim.SetLongDeg(11);
  Sim.SetLongMin(31);
  Sim.SetLongSec(15.3L);
  Sim.SetLongDir(cpEast);
  Sim.SetFixQuality(1);
  Sim.SetHDOP(0.9L);
  Sim.SetPDOP(1.8L);
  Sim.SetVDOP(1.5L);
  Sim.SetAltitude(545.4L);
  Sim.SetGeo_Height(46.9L);
  Sim.SetSpeed(12.5L);
  Sim.SetHeading(84.26L);
  Sim.SetMagneticHeading(81.5L);
  Sim.SetMagneticVariation(2.75L);
  Sim.SetMagnetic_Variation_Direction(cpEast);
  Sim.SetCommands(PeerCommands());
  Sim.ResetSatellites();
  for (const CodeRange& range : kRanges)
    for (int code = range.first; code < range.first + 12; ++code)
      ActivatePeerSatellite(Sim, code, range.type);
}

void SetActiveSatellites(TNorvGPSSimulator& Sim, int Count) {
  Sim.ResetSatellites();
  std::array<int, 3> next{kRanges[0].first, kRanges[1].first, kRanges[2].first};
  for (int made = 0; made < Count;) {
    const int before = made;
    for (std::size_t r = 0; r < kRanges.size() && made < Count; ++r) {
      if (next[r] > kRanges[r].last) continue;
      ActivatePeerSatellite(Sim, next[r]++, kRanges[r].type);
      ++made;
    }
    if (made == before) break;  // every range used up
  }
}

void SetActiveRoute(TNorvGPSSimulator& Sim, int Count) {
  auto* route = new TRoute("BENCH");
  for (int i = 0; i < Count; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "WP%03d", i + 1);
    auto* w = new TWayPoint(name);
    w->SetLatDeg(48 + (7 + i) / 60);
    w->SetLatMin((7 + i) % 60);
    w->SetLatSec(4.4L);
    w->SetLatDir(cpNorth);
    w->SetLongDeg(11);
    w->SetLongMin(31);
    w->SetLongSec(15.3L);
    w->SetLongDir(cpEast);
    Sim.WayPoints()->Add(w);
    route->WayPoints().push_back(name);
  }
  Sim.Routes()->Add(route);
  Sim.Routes()->SetActiveRoute(route);
  TNMEACommands commands = Sim.Commands();
  for (TNMEACommand c : {GPWPL, GPRTE, GPAAM}) commands.Include(c);
  Sim.SetCommands(commands);
}

std::uint32_t Fnv1a32(std::string_view Bytes) {
  std::uint32_t h = 0x811C9DC5u;
  for (unsigned char c : Bytes) {
    h ^= c;
    h *= 0x01000193u;
  }
  return h;
}

}  // namespace norv::bench
