// Scenario INI files: [Receiver] through the component's published property table, [Files]
// through the library's own file loaders, [Motion] for the run.
#include <iostream>

#include "ExitCodes.h"
#include "ReceiverKeys.h"
#include "SatelliteFileCheck.h"
#include "Scenario.h"
#include "ShortForms.h"
#include "norv/core/PublishedProperties.h"
#include "norv/framework/IniFile.h"
#include "norv/framework/PropertyText.h"
#include "norv/framework/SysUtils.h"
#include "norv/navigation/Route.h"
#include "norv/navigation/Routes.h"
#include "norv/navigation/WayPoints.h"

namespace norvgpssim {

namespace fs = std::filesystem;

namespace {

class ScenarioReader {
 public:
  ScenarioReader(norv::TNorvGPSSimulator& sim, const fs::path& file, bool strict)
      : FSim(sim), FFile(file), FIni(file), FStrict(strict) {}

  MotionSettings Load() {
    CheckSections();
    ApplyReceiver();
    LoadFiles();
    return ReadMotion();
  }

 private:
  // "<file>:<line>: [<section>] <key>: <message>", the form of the library's own loaders.
  [[noreturn]] void Fail(const std::string& section, const std::string& key,
                         const std::string& message) const {
    throw CliError(kExitScenario, FIni.Place(section, key) + message);
  }

  void CheckSections() const {
    for (const std::string& s : FIni.ReadSections()) {
      const std::string name = norv::UpperCase(s);
      if (name != "RECEIVER" && name != "FILES" && name != "MOTION" && name != "OUTPUT" &&
          name != "SKY" && name != "TIMELINE")
        Fail(s, "", "unknown section (expected [Receiver], [Files], [Motion], [Output], [Sky], "
                    "[Timeline])");
    }
  }

  // Each key names a published property and is set through that property's setter, in file
  // order, so a refused value stops with the component's own message.
  void ApplyReceiver() {
    for (const std::string& key : FIni.ReadSection("Receiver")) {
      const norv::TPropertyInfo* property = FindReceiverKey(key);
      if (property == nullptr)
        Fail("Receiver", key, "unknown property of TNorvGPSSimulator");
      if (IsClockKey(*property)) {
        std::cerr << "norvgpssim: " << FIni.Place("Receiver", key)
                  << "ignored: the run's virtual clock sets the time (see --start-time)\n";
        continue;
      }
      const std::string refused =
          SetReceiverKey(FSim, *property, FIni.ReadString("Receiver", key, ""));
      if (!refused.empty()) Fail("Receiver", key, refused);
    }
  }

  void LoadFiles() {
    for (const std::string& key : FIni.ReadSection("Files")) {
      const std::string name = norv::UpperCase(key);
      if (name != "SATELLITES" && name != "WAYPOINTS" && name != "ROUTE")
        Fail("Files", key, "unknown key (expected Satellites, WayPoints, Route)");
    }
    // Waypoints before the route, so the route's names resolve from its first epoch.
    // "builtin" names the built-in scenario's part (the template writes it so).
    if (IsBuiltin("Satellites")) LoadBuiltinSatellites(FSim);
    else if (const auto file = Referenced("Satellites")) LoadSatellites(*file);
    if (IsBuiltin("WayPoints")) LoadBuiltinWayPoints(FSim);
    else if (const auto file = Referenced("WayPoints")) LoadWayPoints(*file);
    if (IsBuiltin("Route")) LoadBuiltinRoute(FSim);
    else if (const auto file = Referenced("Route")) LoadRoute(*file);
  }

  bool IsBuiltin(const std::string& key) const {
    return norv::UpperCase(FIni.ReadString("Files", key, "")) == "BUILTIN";
  }

  // The file a [Files] key names, relative to the scenario's folder; it must exist.
  std::optional<fs::path> Referenced(const std::string& key) const {
    if (!FIni.ValueExists("Files", key)) return std::nullopt;
    const fs::path named = FIni.ReadString("Files", key, "");
    const fs::path file = named.is_absolute() ? named : FFile.parent_path() / named;
    std::error_code ec;
    if (named.empty() || !fs::is_regular_file(file, ec))
      Fail("Files", key, "no such file '" + file.string() + "'");
    return file;
  }

  // The library's loaders name the file, line and key of a refused value themselves.
  // The loader accepts unknown keys and unreadable values quietly: warn about each first.
  void LoadSatellites(const fs::path& file) {
    const std::vector<std::string> warnings = CheckSatelliteFile(file);
    for (const std::string& w : warnings) std::cerr << "norvgpssim: warning: " << w << '\n';
    if (FStrict && !warnings.empty())
      throw CliError(kExitScenario, "--strict: " + std::to_string(warnings.size()) +
                                        " warning(s) in " + file.string());
    Loading([&] { FSim.LoadSatellitesFromFile(file); });
  }

  void LoadWayPoints(const fs::path& file) {
    Loading([&] { FSim.WayPoints()->LoadFromFile(file); });
  }

  void LoadRoute(const fs::path& file) {
    auto route = std::make_unique<norv::TRoute>("");
    Loading([&] { route->LoadFromFile(file); });
    norv::TRoute* active = route.get();
    FSim.Routes()->Add(route.release());
    FSim.Routes()->SetActiveRoute(active);
  }

  template <class TLoad>
  static void Loading(TLoad&& load) {
    try {
      load();
    } catch (const norv::Exception& e) {
      throw CliError(kExitScenario, e.Message());
    }
  }

  MotionSettings ReadMotion() const {
    MotionSettings m;
    for (const std::string& key : FIni.ReadSection("Motion")) {
      const std::string name = norv::UpperCase(key), text = FIni.ReadString("Motion", key, "");
      if (name == "MODE") {
        if (!ParseMotionMode(text, m.mode))
          Fail("Motion", key, "Mode must be static, constant or route, not '" + norv::Excerpt(text) + "'");
      } else if (name == "ROUTEEND") {
        if (!ParseRouteEnd(text, m.routeEnd))
          Fail("Motion", key, "RouteEnd must be stop or repeat, not '" + norv::Excerpt(text) + "'");
      } else {
        Fail("Motion", key, "unknown key (expected Mode, RouteEnd)");
      }
    }
    if (m.mode == MotionMode::Route && FSim.Routes()->ActiveRoute() == nullptr)
      Fail("Motion", "Mode", "Mode=route needs a route: name one with Route= in [Files]");
    return m;
  }

  norv::TNorvGPSSimulator& FSim;
  fs::path FFile;
  norv::TIniFile FIni;
  bool FStrict;
};

}  // namespace

MotionSettings LoadScenarioFile(norv::TNorvGPSSimulator& sim, const fs::path& file, bool strict) {
  std::error_code ec;
  if (!fs::is_regular_file(file, ec))
    throw CliError(kExitScenario, file.string() + ": no such scenario file");
  try {
    return ScenarioReader(sim, file, strict).Load();
  } catch (const CliError&) {
    throw;
  } catch (const norv::Exception& e) {  // the INI file itself cannot be read
    throw CliError(kExitScenario, e.Message());
  }
}

}  // namespace norvgpssim
