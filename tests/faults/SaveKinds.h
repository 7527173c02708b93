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
       [](const fs::path& target) -> TVersionSaver {
         auto versions = std::make_shared<std::vector<std::shared_ptr<TNorvGPSSimulator>>>(
             std::vector{detail::SatelliteVersion(0), detail::SatelliteVersion(1)});
         return [target, versions](int version) { (*versions)[version]->SaveSatellitesToFile(target); };
       }},
  };
}

// The complete bytes of each version, saved once into Dir.
inline std::vector<std::string> VersionBytes(const TSaveKind& Kind, const fs::path& Dir) {
  const fs::path reference = Dir / ("reference-" + Kind.FileName);
  const TVersionSaver save = Kind.MakeSaver(reference);
  std::vector<std::string> bytes;
  for (int version : {0, 1}) {
    save(version);
    bytes.push_back(ReadBytes(reference));
  }
  fs::remove(reference);
  return bytes;
}

}  // namespace norv::test
