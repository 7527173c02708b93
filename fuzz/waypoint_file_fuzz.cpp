// Fuzzes TWayPoints::LoadFromFile: arbitrary bytes as a waypoint file, loaded into a component's
// emptied list; the navigation sentences of what loads must build, and it must save and load
// back unchanged.
#include "FuzzSupport.h"
#include "norv/NorvGPSSimulator.h"

using namespace norv;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::SilenceDialogs();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
  const auto input = fuzz::WriteScratchFile("waypoints.ini", fuzz::AsText(Data, Size));
  // The component's list loads the file: emptied first, as a fresh component's is.
  const fuzz::TSharedComponent shared;
  TNorvGPSSimulator& sim = *shared;
  TWayPoints& list = *sim.WayPoints();
  if (!fuzz::LoadsOrRefuses("TWayPoints::LoadFromFile", [&] { list.LoadFromFile(input); })) return 0;
  // Every loaded waypoint on the active route: WPL publishes each, AAM measures the distance.
  fuzz::CheckSentencesBuild("waypoint file", [&] {
    auto route = std::make_unique<TRoute>("R");
    for (std::int32_t i = 0; i < list.Count(); ++i)
      if (const TWayPoint* w = list.GetItem(i)) route->WayPoints().push_back(w->Name());
    sim.Routes()->Add(route.get());
    sim.Routes()->SetActiveRoute(route.release());
    fuzz::CheckSentences("waypoint file", sim);
  });
  fuzz::CheckSavedFileReloads(
      "waypoint file", [&](const auto& file) { list.SaveToFile(file); },
      [](const auto& saved, const auto& again) {
        TWayPoints reloaded;
        reloaded.LoadFromFile(saved);
        reloaded.SaveToFile(again);
      });
  return 0;
}
