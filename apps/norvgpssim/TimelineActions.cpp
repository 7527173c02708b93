// What each timeline event does to the receiver, its motion, its output profile and the faults,
// and the dry run that checks a whole timeline before the run starts.
#include <cstdlib>

#include "ExitCodes.h"
#include "ReceiverKeys.h"
#include "Scenario.h"
#include "Timeline.h"
#include "norv/framework/Exception.h"
#include "norv/navigation/Route.h"
#include "norv/navigation/Routes.h"
#include "norv/navigation/WayPoints.h"

namespace norvgpssim {

namespace {

std::string SetSatellite(const TimelineEvent& e, norv::TNorvGPSSimulator& sim) {
  char* end = nullptr;
  const long v = std::strtol(e.value.c_str(), &end, 10);
  if (e.value.empty() || *end != '\0') return "'" + e.value + "' is not a whole number";
  for (norv::TSatellite* s : sim.GetSatellitesList()) {
    if (s->PseudoRandomCode() != e.satellite) continue;
    try {
      const auto n = static_cast<std::int32_t>(v);
      if (e.key == "ACTIVE") {
        if (v != 0 && v != 1) return "Active is 0 or 1";
        s->SetActive(v == 1);
      } else if (e.key == "SNR") {
        s->SetSignalToNoiseRatio(n);
      } else if (e.key == "ELEVATION") {
        s->SetElevation(n);
      } else {
        s->SetAzimuth(n);
      }
    } catch (const norv::Exception& x) {
      return x.Message();
    }
    return {};
  }
  return "no satellite " + std::to_string(e.satellite) + " in the scenario";
}

std::string SetOutput(const TimelineEvent& e, ProfileSettings& profile) {
  if (e.key.size() == 7) {  // Profile
    const auto p = ParseProfile(e.value);
    if (!p) return "Profile must be classic or nmea4";
    profile.profile = *p;
  } else {
    if (!IsTalker(e.value)) return "Talker must be two capital letters";
    profile.talker = e.value;
  }
  return {};
}

std::string ChangeMotion(const TimelineEvent& e, RunState& run) {
  MotionSettings m = run.motion.Settings();
  norv::TRoutes& routes = *run.sim.Routes();
  if (e.key == "STOP") {
    m.mode = MotionMode::Static;
  } else if (e.key == "START") {
    m.mode = routes.ActiveRoute() != nullptr && m.mode == MotionMode::Route ? MotionMode::Route
                                                                             : MotionMode::Constant;
  } else if (e.key == "FOLLOW") {
    norv::TRoute* route = routes.GetByName(e.value);
    if (route == nullptr) return "no route '" + e.value + "' (name one with Route= in [Files])";
    routes.SetActiveRoute(route);
    m.mode = MotionMode::Route;
  } else {  // GOTO: a route of that one waypoint, made once however often the line comes
    if (run.sim.WayPoints()->GetByName(e.value) == nullptr) return "no waypoint '" + e.value + "'";
    const std::string name = "goto " + e.value;
    norv::TRoute* route = routes.GetByName(name);
    if (route == nullptr) {
      auto made = std::make_unique<norv::TRoute>(name);
      made->WayPoints().push_back(e.value);
      route = made.get();
      routes.Add(made.release());  // no listed route has its name, so the list takes it
    } else if (route->WayPoints() != std::vector<std::string>{e.value}) {
      return "the scenario's route '" + name + "' is not this waypoint alone";
    }
    routes.SetActiveRoute(route);
    m.mode = MotionMode::Route;
    m.routeEnd = RouteEnd::Stop;
  }
  run.motion.Change(m);
  return {};
}

}  // namespace

std::string ApplyEvent(const TimelineEvent& e, double now, RunState& run) {
  switch (e.kind) {
    case ActionKind::Set:
      return SetReceiverKey(run.sim, *FindReceiverKey(e.key), e.value);
    case ActionKind::Satellite:
      return SetSatellite(e, run.sim);
    case ActionKind::Output:
      return SetOutput(e, run.profile);
    case ActionKind::Motion:
      return ChangeMotion(e, run);
    case ActionKind::Fault: {
      ActiveFault f = e.fault;
      f.from = now;
      if (f.until) f.until = now + *f.until;
      run.faults.Add(f);
      return {};
    }
  }
  return {};
}

namespace {

// What the moving sky sets every epoch.
bool SkyKey(const TimelineEvent& e) {
  return e.kind == ActionKind::Satellite ||
         (e.kind == ActionKind::Set && (e.key == "HDOP" || e.key == "VDOP" || e.key == "PDOP" ||
                                        e.key == "FixQuality"));
}

}  // namespace

void CheckTimeline(const Timeline& timeline, const std::optional<std::filesystem::path>& scenario,
                   bool skyOwnsSatellites) {
  if (timeline.events.empty()) return;
  norv::TNorvGPSSimulator sim;
  Motion motion(sim, LoadScenario(sim, scenario));
  ProfileSettings profile;
  FaultInjector faults(0);
  RunState run{sim, motion, profile, faults};
  for (const TimelineEvent& e : timeline.events) {
    if (skyOwnsSatellites && SkyKey(e))
      throw CliError(kExitScenario, e.place + e.action + ": the moving sky ([Sky] Model=orbits) "
                                    "sets the satellites, DOPs and fix every epoch (use fault nofix)");
    const std::string refused = ApplyEvent(e, e.at, run);
    if (!refused.empty()) throw CliError(kExitScenario, e.place + e.action + ": " + refused);
  }
}

}  // namespace norvgpssim
