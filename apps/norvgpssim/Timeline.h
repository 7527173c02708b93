#pragma once
// A scenario's [Timeline]: scripted changes and faults at given instants of the run, read and
// checked whole before the first epoch, then played epoch by epoch.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "Faults.h"
#include "Motion.h"
#include "Profile.h"
#include "norv/core/TNorvGPSSimulator.h"

namespace norvgpssim {

enum class ActionKind { Set, Satellite, Output, Motion, Fault };

// One line "T = action" of a timeline.
struct TimelineEvent {
  double at = 0;                          // seconds from the first epoch
  std::optional<std::int64_t> atUnixMs;   // given as an ISO 8601 instant instead
  std::string place;                      // "<file>:<line>: [Timeline] "
  std::string action;                     // as written, for messages and the event log
  ActionKind kind = ActionKind::Set;
  std::string key, value;                 // Set / Output / Satellite field; Motion: verb, name
  int satellite = 0;                      // Satellite: its number
  std::optional<double> over;             // Set: ramped over these seconds
  ActiveFault fault;                      // Fault: from and until relative to the event
};

struct Timeline {
  std::vector<TimelineEvent> events;  // in file order, which is firing order
  std::optional<std::uint64_t> seed;  // "Seed = N"
};

// The lines of the [Timeline] section of a scenario (none: an empty timeline); a line
// "File = events.txt" reads the events file it names (relative to the scenario) in its place.
// Raises CliError (bad scenario) "<file>:<line>: [Timeline] <action>: <why>" for an unknown
// action or key, a malformed time or one before the previous line's.
Timeline ReadTimeline(const std::filesystem::path& scenario);
// The same from text (the fuzz target and tests): File names the text in messages.
Timeline ParseTimeline(const std::string& text, const std::filesystem::path& file);

// Plays every event in order on a scratch receiver loaded from the same scenario, so that a value
// a setter refuses, a route or waypoint that does not exist stops the run before any output.
// SkyOwnsSatellites: the moving sky sets the satellites, DOPs and fix quality every epoch, so a
// timeline may not set them.
void CheckTimeline(const Timeline& timeline, const std::optional<std::filesystem::path>& scenario,
                   bool skyOwnsSatellites = false);

// What an event acts on while the run plays it.
struct RunState {
  norv::TNorvGPSSimulator& sim;
  Motion& motion;
  ProfileSettings& profile;
  FaultInjector& faults;
};

// Applies one event now (a ramp: its final value). Empty on success, else why it was refused.
std::string ApplyEvent(const TimelineEvent& event, double now, RunState& run);

}  // namespace norvgpssim
