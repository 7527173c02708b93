// Fuzzes LoadSatellitesFromFile: arbitrary bytes as a satellite file, loaded into a fresh
// component; what loads must save and load back unchanged.
#include "FuzzSupport.h"
#include "norv/core/TNorvGPSSimulator.h"

using namespace norv;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::SilenceDialogs();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const auto input = fuzz::WriteScratchFile("satellites.ini", fuzz::AsText(Data, Size));
  TNorvGPSSimulator sim;
  if (!fuzz::LoadsOrRefuses("LoadSatellitesFromFile", [&] { sim.LoadSatellitesFromFile(input); }))
    return 0;
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
