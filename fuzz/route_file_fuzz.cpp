// Fuzzes TRoute::LoadFromFile: arbitrary bytes as a route file, loaded into a fresh route; what
// loads must save and load back unchanged.
#include "FuzzSupport.h"
#include "norv/NorvGPSSimulator.h"

using namespace norv;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::SilenceDialogs();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const auto input = fuzz::WriteScratchFile("route.ini", fuzz::AsText(Data, Size));
  TRoute route("fuzz");
  if (!fuzz::LoadsOrRefuses("TRoute::LoadFromFile", [&] { route.LoadFromFile(input); })) return 0;
  fuzz::CheckSavedFileReloads(
      "route file", [&](const auto& file) { route.SaveToFile(file); },
      [](const auto& saved, const auto& again) {
        TRoute reloaded("");
        reloaded.LoadFromFile(saved);
        reloaded.SaveToFile(again);
      });
  return 0;
}
