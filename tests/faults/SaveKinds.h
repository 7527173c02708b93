#pragma once
// The kinds of file the library saves, each with two distinct versions of its content, for the
// fault tests: what a failed or interrupted save must leave is the complete previous version.
#include <memory>
#include <string>
#include <vector>

#include "faults/KillRounds.h"
#include "norv/NorvGPSSimulator.h"

namespace norv::test {

struct TSaveKind {
  std::string Name;
  std::string FileName;
  TSaverFactory MakeSaver;
};

inline std::ostream& operator<<(std::ostream& os, const TSaveKind& kind) { return os << kind.Name; }

namespace detail {

// Two satellite tables that differ in every active satellite.
inline std::shared_ptr<TNorvGPSSimulator> SatelliteVersion(int Version) {
  auto sim = std::make_shared<TNorvGPSSimulator>();
  for (std::uint16_t code = 1; code <= 235; code += 3) {
    const TSatelliteType type =
        code <= 64 ? GpsSatellite : code <= 200 ? GlonassSatellite : BeidouSatellite;
    sim->SetSatellite(code, (code + Version) % 2 == 0, (code * 7 + Version * 11) % 90,
                      (code * 13 + Version * 5) % 360, 20 + (code + Version) % 30, type);
  }
  return sim;
}

// Two waypoint lists of 60 points each, at different positions.
inline std::shared_ptr<TWayPoints> WayPointVersion(int Version) {
  auto list = std::make_shared<TWayPoints>();
  for (int i = 0; i < 60; ++i) {
    auto w = std::make_unique<TWayPoint>("WP" + std::to_string(i));
    w->SetLatDeg((i + Version * 7) % 90);
    w->SetLatMin((i * 3 + Version) % 60);
    w->SetLatSec((i * 17 + Version * 5) % 600 / 10.0L);
    w->SetLatDir(Version == 0 ? cpNorth : cpSouth);
    w->SetLongDeg((i * 5 + Version) % 180);
    w->SetLongMin((i + Version * 11) % 60);
    w->SetLongSec((i * 7 + Version) % 600 / 10.0L);
    w->SetLongDir(i % 2 == 0 ? cpEast : cpWest);
    list->Add(w.release());
  }
  return list;
}

// Two routes of 150 names each.
inline std::shared_ptr<TRoute> RouteVersion(int Version) {
  auto route = std::make_shared<TRoute>(Version == 0 ? "OUTBOUND" : "INBOUND");
  for (int i = 0; i < 150; ++i) route->WayPoints().push_back("R" + std::to_string(Version) + "P" + std::to_string(i));
  return route;
}

// Holds the two versions of a state and saves the one asked for.
template <class T, class Make, class Save>
TSaverFactory Versions(Make MakeVersion, Save SaveVersion) {
  return [MakeVersion, SaveVersion](const fs::path& target) -> TVersionSaver {
    auto versions = std::make_shared<std::vector<std::shared_ptr<T>>>(
        std::vector{MakeVersion(0), MakeVersion(1)});
    return [target, versions, SaveVersion](int version) { SaveVersion(*(*versions)[version], target); };
  };
}

}  // namespace detail

inline std::vector<TSaveKind> SaveKinds() {
  return {
      {"IniFile", "plain.ini",
       [](const fs::path& target) -> TVersionSaver {
         return [target](int version) {
           TIniFile ini(target, TIniFile::Empty);
           for (int s = 0; s < 200; ++s)
             for (int k = 0; k < 5; ++k)
               ini.WriteInteger("Section" + std::to_string(s), "Key" + std::to_string(k),
                                version * 100000 + s * 10 + k);
           ini.UpdateFile();
         };
       }},
      {"SatelliteFile", "satellites.ini",
       detail::Versions<TNorvGPSSimulator>(
           detail::SatelliteVersion,
           [](const TNorvGPSSimulator& sim, const fs::path& file) { sim.SaveSatellitesToFile(file); })},
      {"WayPointFile", "waypoints.ini",
       detail::Versions<TWayPoints>(
           detail::WayPointVersion,
           [](const TWayPoints& list, const fs::path& file) { list.SaveToFile(file); })},
      {"RouteFile", "route.ini",
       detail::Versions<TRoute>(
           detail::RouteVersion,
           [](const TRoute& route, const fs::path& file) { route.SaveToFile(file); })},
  };
}

// The complete bytes of each version, saved once into Dir.
inline std::vector<std::string> VersionBytes(const TSaveKind& Kind, const fs::path& Dir) {
  const fs::path reference = Dir / ("reference-" + Kind.FileName);
  const TVersionSaver save = Kind.MakeSaver(reference);
  std::vector<std::string> bytes;
  for (int version : {0, 1}) {
    save(version);
    bytes.push_back(ReadWholeFile(reference));
  }
  fs::remove(reference);
  return bytes;
}

}  // namespace norv::test
