#pragma once
// Plays a timeline and the command line's faults during a run: fires each event at its epoch,
// steps ramps, takes the fix away and back, jumps the clock, and reports each event.
#include <cstdint>
#include <string>
#include <vector>

#include "Faults.h"
#include "Timeline.h"
#include "norv/framework/ComponentClass.h"

namespace norvgpssim {

class EventPlayer {
 public:
  // CliFaults act from the first epoch to the last; Log: each event to stderr as it fires.
  EventPlayer(Timeline timeline, std::uint64_t seed, const std::vector<FaultRule>& cliFaults,
              bool log);

  // Everything due at simulated second T (the run's first epoch being at StartMs).
  void Fire(double t, std::int64_t startMs, norv::TNorvGPSSimulator& sim, Motion& motion,
            ProfileSettings& profile);
  // After the moving sky (if any) has set the fix: a nofix fault holds it at none, and its end
  // gives it back (Restore: the quality the fault took; the sky sets its own).
  void HoldFix(double t, norv::TNorvGPSSimulator& sim, bool restore);
  FaultInjector& Faults() { return FFaults; }
  std::int64_t ClockOffsetMs() const { return FClockOffsetMs; }
  // The last event fired, for the status line; empty before the first.
  const std::string& LastEvent() const { return FLastEvent; }

 private:
  struct Ramp {
    const norv::TPropertyInfo* property;
    double from, to, start, over;
  };
  void Report(double t, const std::string& text);
  void StartRamp(const TimelineEvent& e, double t, norv::TNorvGPSSimulator& sim);
  void StepRamps(double t, norv::TNorvGPSSimulator& sim);

  Timeline FTimeline;
  std::size_t FNext = 0;
  FaultInjector FFaults;
  bool FLog;
  std::vector<Ramp> FRamps;
  std::optional<std::int32_t> FSavedFix;  // the fix quality a nofix fault took away
  std::int64_t FClockOffsetMs = 0;
  std::string FLastEvent;
};

}  // namespace norvgpssim
