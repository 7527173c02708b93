#pragma once
// How the receiver moves from one epoch to the next.
#include <cstddef>
#include <string>

#include "norv/core/TNorvGPSSimulator.h"

namespace norvgpssim {

enum class MotionMode { Static, Constant, Route };
enum class RouteEnd { Stop, Repeat };

struct MotionSettings {
  MotionMode mode = MotionMode::Constant;
  RouteEnd routeEnd = RouteEnd::Stop;
};

// Parses "static" / "constant" / "route" and "stop" / "repeat" (any letter case); false if unknown.
bool ParseMotionMode(const std::string& text, MotionMode& mode);
bool ParseRouteEnd(const std::string& text, RouteEnd& end);
const char* MotionModeName(MotionMode mode);

// Advances the position by Speed (knots) over a step of simulated time: along Heading in
// constant mode, towards each waypoint of the active route in turn in route mode.
class Motion {
 public:
  Motion(norv::TNorvGPSSimulator& sim, MotionSettings settings) : FSim(sim), FSettings(settings) {}

  void Advance(double seconds);
  const MotionSettings& Settings() const { return FSettings; }
  // A new mode from now on (a timeline's stop, start, follow, goto); a route starts at its first
  // waypoint.
  void Change(MotionSettings settings) {
    FSettings = settings;
    FTarget = 0;
    FRouteFinished = false;
  }
  // Route mode: the index in the active route of the waypoint steered to.
  std::size_t TargetIndex() const { return FTarget; }
  bool RouteFinished() const { return FRouteFinished; }

 private:
  void AdvanceConstant(long double metres);
  void AdvanceRoute(long double metres);
  // Sets Heading and keeps Magnetic_Heading consistent with the magnetic variation.
  void Steer(long double trueCourse);
  void ArriveAtTarget();

  norv::TNorvGPSSimulator& FSim;
  MotionSettings FSettings;
  std::size_t FTarget = 0;
  bool FRouteFinished = false;
};

}  // namespace norvgpssim
