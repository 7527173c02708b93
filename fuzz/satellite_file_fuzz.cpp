// Fuzzes LoadSatellitesFromFile: arbitrary bytes as a satellite file, loaded into a component
// whose table is as a fresh component's; what loads must give well-formed sentences and save and load back unchanged.
#include <vector>

#include "FuzzSupport.h"
#include "norv/core/TNorvGPSSimulator.h"

using namespace norv;

namespace {

// A satellite's state as a fresh component holds it.
struct TSatelliteState {
  bool Active;
  std::int32_t Elevation, Azimuth, SignalToNoiseRatio;
  TSatelliteType Type;
};

// One component for the run, its satellite table put back to a fresh component's before every
// input: the table is all the loader touches, and a new component per input (with its sender
// thread) costs more under the sanitizers than the load itself.
class TFreshTable {
 public:
  TFreshTable() {
    const TNorvGPSSimulator fresh;
    for (const TSatellite* s : fresh.GetSatellitesList())
      FFresh.push_back({s->Active(), s->Elevation(), s->Azimuth(), s->SignalToNoiseRatio(),
                        s->SatelliteType()});
  }
  TNorvGPSSimulator& Component() {
    const std::vector<TSatellite*> table = FComponent.GetSatellitesList();
    for (std::size_t i = 0; i < table.size(); ++i) Restore(*table[i], FFresh[i]);
    return FComponent;
  }

 private:
  // Only what the last input changed is set again: a setter also renews the satellite's kept
  // sentence text, and most inputs touch a few of the 235 satellites.
  static void Restore(TSatellite& Satellite, const TSatelliteState& Fresh) {
    if (Satellite.Active() != Fresh.Active) Satellite.SetActive(Fresh.Active);
    if (Satellite.Elevation() != Fresh.Elevation) Satellite.SetElevation(Fresh.Elevation);
    if (Satellite.Azimuth() != Fresh.Azimuth) Satellite.SetAzimuth(Fresh.Azimuth);
    if (Satellite.SignalToNoiseRatio() != Fresh.SignalToNoiseRatio)
      Satellite.SetSignalToNoiseRatio(Fresh.SignalToNoiseRatio);
    if (Satellite.SatelliteType() != Fresh.Type) Satellite.SetSatelliteType(Fresh.Type);
  }

  TNorvGPSSimulator FComponent;
  std::vector<TSatelliteState> FFresh;
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::SilenceDialogs();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  static TFreshTable freshTable;
  const auto input = fuzz::WriteScratchFile("satellites.ini", fuzz::AsText(Data, Size));
  TNorvGPSSimulator& sim = freshTable.Component();
  if (!fuzz::LoadsOrRefuses("LoadSatellitesFromFile", [&] { sim.LoadSatellitesFromFile(input); }))
    return 0;
  // The loaded table's sentences (GSA, GSV) must be well-formed; satellites are activated only
  // when the file leaves none active.
  fuzz::CheckSentences("satellite file", sim);
  if (!fuzz::ChosenForRoundTrip(Data, Size)) return 0;
  fuzz::CheckSavedFileReloads(
      "satellite file", [&](const auto& file) { sim.SaveSatellitesToFile(file); },
      [](const auto& saved, const auto& again) {
        TNorvGPSSimulator reloaded;
        reloaded.LoadSatellitesFromFile(saved);
        reloaded.SaveSatellitesToFile(again);
      });
  return 0;
}
