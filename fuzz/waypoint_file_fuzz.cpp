// Fuzzes TWayPoints::LoadFromFile: arbitrary bytes as a waypoint file, loaded into the list of a
// fresh component; what loads must save and load back unchanged.
#include "FuzzSupport.h"
#include "norv/NorvGPSSimulator.h"

using namespace norv;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::SilenceDialogs();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const auto input = fuzz::WriteScratchFile("waypoints.ini", fuzz::AsText(Data, Size));
  TNorvGPSSimulator sim;
  if (!fuzz::LoadsOrRefuses("TWayPoints::LoadFromFile", [&] { sim.WayPoints()->LoadFromFile(input); }))
    return 0;
  fuzz::CheckSavedFileReloads(
      "waypoint file", [&](const auto& file) { sim.WayPoints()->SaveToFile(file); },
      [](const auto& saved, const auto& again) {
        TNorvGPSSimulator reloaded;
        reloaded.WayPoints()->LoadFromFile(saved);
        reloaded.WayPoints()->SaveToFile(again);
      });
  return 0;
}
