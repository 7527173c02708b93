// `norvgpssim scenario --template`: the built-in scenario written out as a commented file.
#include <sstream>

#include "Scenario.h"
#include "norv/core/PublishedProperties.h"
#include "norv/framework/PropertyText.h"

namespace norvgpssim {

namespace {

constexpr const char* kHead = R"(; A norvgpssim scenario: the built-in scenario written out. Run it with
;   norvgpssim --scenario this.ini
; and change what you need. Every key is shown at its value; a key left out keeps the
; component's default. Directions take N/S/E/W as well as cpNorth...; Commands takes GGA,RMC
; as well as [GPGGA, GPRMC].

[Receiver]
; The receiver's published properties: position, motion, DOPs and the sentences sent.
)";

constexpr const char* kTail = R"(
[Files]
; Files in the library's formats, relative to this file (see examples/), or "builtin" for the
; built-in scenario's part. A route names waypoints of the WayPoints file.
Satellites=builtin
WayPoints=builtin
Route=builtin

[Motion]
; Mode=static (stays put), constant (speed and heading) or route (follows the route);
; RouteEnd=stop or repeat, for route mode.
Mode=constant
RouteEnd=stop

[Output]
; Profile=classic (the component's own sentences) or nmea4 (NMEA 0183 4.11, one fix per
; epoch); Talker=GN, the nmea4 fix sentences' talker.
Profile=classic
Talker=GN

[Sky]
; Model=fixed (the satellites above stay as set) or orbits (satellites on their nominal
; orbits); for orbits: ElevationMask in degrees, Systems, and Seed=<n> for repeatable SNRs.
Model=fixed
ElevationMask=5
Systems=GPS,GLONASS,BeiDou

[Timeline]
; Lines "T = action", T in seconds from the start or an ISO 8601 UTC instant, in order: a
; [Receiver] key (10 = Speed=20, or ramped: 10 = Speed=20 over 30), stop, start, follow ROUTE,
; goto WAYPOINT, or a fault for a window or a count (20 = fault nofix for 30). Seed=N makes the
; faults' random choices repeatable; File=events.txt reads more lines from a file. None here.
)";

// Set by the run itself (--start-time, --port, --baud), so not a scenario's business.
bool SetByTheRun(const std::string& name) {
  return name == "UTCDateTime" || name == "UseSystemDateTime" || name == "Port" ||
         name == "BaudRate";
}

}  // namespace

std::string ScenarioTemplate() {
  norv::TNorvGPSSimulator sim;
  LoadBuiltinScenario(sim);
  std::ostringstream out;
  out << kHead;
  for (const norv::TPropertyInfo& p : norv::ComponentClassOf<norv::TNorvGPSSimulator>().Properties)
    if (!SetByTheRun(p.Name)) out << p.Name << '=' << norv::FormatPropertyValue(p, p.Get(sim)) << '\n';
  out << kTail;
  return out.str();
}

}  // namespace norvgpssim
