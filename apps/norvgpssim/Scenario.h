#pragma once
// Scenarios: the receiver's state, satellites, waypoints, route and motion for a run.
#include <filesystem>
#include <optional>

#include "Motion.h"
#include "norv/core/TNorvGPSSimulator.h"

namespace norvgpssim {

// At sea off Kiel lighthouse, 12.5 kn on 84.3 degrees true, fix quality 1, 8 GPS, 5 GLONASS
// and 4 BeiDou satellites, and an active route of three waypoints on the track ahead (so the
// arrival alarm fires after about two and a half minutes).
MotionSettings LoadBuiltinScenario(norv::TNorvGPSSimulator& sim);

// Loads a scenario INI file:
//   [Receiver]  published property names of the component: Latitude_Degree=54, Speed=12.5,
//               Latitude_Direction=cpNorth, Commands=[GPGGA, GPRMC], ...
//   [Files]     Satellites=, WayPoints=, Route=  files in the library's formats, relative to
//               the scenario file, or "builtin"; the route becomes the active route
//   [Motion]    Mode=static|constant|route, RouteEnd=stop|repeat
//   [Output]    Profile=classic|nmea4, Talker=GN: read by ChooseProfile (Profile.h), not here
//   [Sky]       Model=fixed|orbits, ... (read by LoadSkySettings, MovingSky.h)
// Every value goes through the component's setters. Raises CliError (bad scenario) with
// "<file>:<line>: [<section>] <key>: <message>" for the first refused value, unknown name or
// missing file, in the scenario or in a file it names. A satellites file's quiet problems are
// warned about on stderr; `strict` makes them an error.
MotionSettings LoadScenarioFile(norv::TNorvGPSSimulator& sim, const std::filesystem::path& file,
                                bool strict = false);

// The file when given, else the built-in scenario.
MotionSettings LoadScenario(norv::TNorvGPSSimulator& sim,
                            const std::optional<std::filesystem::path>& file, bool strict = false);

// The parts of the built-in scenario, for a scenario file's [Files] key=builtin.
void LoadBuiltinSatellites(norv::TNorvGPSSimulator& sim);
void LoadBuiltinWayPoints(norv::TNorvGPSSimulator& sim);
void LoadBuiltinRoute(norv::TNorvGPSSimulator& sim);

// A complete commented scenario file holding the built-in scenario, every key at its value.
std::string ScenarioTemplate();

}  // namespace norvgpssim
