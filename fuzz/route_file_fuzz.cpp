// Fuzzes TRoute::LoadFromFile: arbitrary bytes as a route file, loaded into a fresh route; what
// loads must give navigation sentences, and must save and load back unchanged.
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
  // The loaded route active in a component that knows its first names as waypoints.
  fuzz::CheckSentencesBuild("route file", [&] {
    const fuzz::TSharedComponent shared;
    TNorvGPSSimulator& sim = *shared;
    for (std::size_t i = 0; i < route.WayPoints().size() && i < 3; ++i)
      if (sim.WayPoints()->IndexOf(route.WayPoints()[i]) == -1)
        sim.WayPoints()->Add(new TWayPoint(route.WayPoints()[i]));
    auto active = std::make_unique<TRoute>(route);
    sim.Routes()->Add(active.get());
    sim.Routes()->SetActiveRoute(active.release());
    fuzz::CheckSentences("route file", sim);
  });
  fuzz::CheckSavedFileReloads(
      "route file", [&](const auto& file) { route.SaveToFile(file); },
      [](const auto& saved, const auto& again) {
        TRoute reloaded("");
        reloaded.LoadFromFile(saved);
        reloaded.SaveToFile(again);
      });
  return 0;
}
