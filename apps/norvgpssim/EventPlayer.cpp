#include "EventPlayer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iostream>

#include "ReceiverKeys.h"
#include "norv/framework/Exception.h"
#include "norv/framework/PropertyText.h"

namespace norvgpssim {

namespace {

double AsNumber(const norv::TPropertyValue& v) {
  if (const auto* i = std::get_if<std::int64_t>(&v)) return static_cast<double>(*i);
  if (const auto* x = std::get_if<norv::Extended>(&v)) return static_cast<double>(*x);
  return 0;
}

}  // namespace

EventPlayer::EventPlayer(Timeline timeline, std::uint64_t seed,
                         const std::vector<FaultRule>& cliFaults, bool log)
    : FTimeline(std::move(timeline)), FFaults(seed), FLog(log) {
  for (const FaultRule& rule : cliFaults) FFaults.Add(ActiveFault{rule, 0, {}, {}});
}

void EventPlayer::Report(double t, const std::string& text) {
  char at[32];
  std::snprintf(at, sizeof at, "t=%.3f s", t);
  FLastEvent = std::string(at) + " " + text;
  if (FLog) std::cerr << "norvgpssim: event " << FLastEvent << '\n';
}

void EventPlayer::Fire(double t, std::int64_t startMs, norv::TNorvGPSSimulator& sim,
                       Motion& motion, ProfileSettings& profile) {
  RunState run{sim, motion, profile, FFaults};
  for (; FNext < FTimeline.events.size(); ++FNext) {
    const TimelineEvent& e = FTimeline.events[FNext];
    const double at = e.atUnixMs ? static_cast<double>(*e.atUnixMs - startMs) / 1000 : e.at;
    if (at > t + 1e-9) break;
    if (e.over) {
      StartRamp(e, t, sim);
    } else if (const std::string refused = ApplyEvent(e, t, run); !refused.empty()) {
      Report(t, e.place + e.action + ": refused: " + refused);
      continue;
    }
    Report(t, e.place.substr(0, e.place.rfind("[Timeline]")) + e.action);
  }
  StepRamps(t, sim);
  if (const std::int64_t jump = FFaults.TakeClockJumpMs(t); jump != 0) {
    FClockOffsetMs += jump;
    Report(t, "receiver clock jumps by " + std::to_string(jump) + " ms");
  }
}

void EventPlayer::StartRamp(const TimelineEvent& e, double t, norv::TNorvGPSSimulator& sim) {
  const norv::TPropertyInfo* p = FindReceiverKey(e.key);
  const auto to = norv::ParsePropertyValue(*p, e.value);
  if (!to) return;  // CheckTimeline refused it before the run
  std::erase_if(FRamps, [&](const Ramp& r) { return r.property == p; });
  FRamps.push_back({p, AsNumber(p->Get(sim)), AsNumber(*to), t, *e.over});
}

void EventPlayer::StepRamps(double t, norv::TNorvGPSSimulator& sim) {
  for (const Ramp& r : FRamps) {
    const double share = std::clamp((t - r.start) / r.over, 0.0, 1.0);
    const double v = r.from + (r.to - r.from) * share;
    try {
      if (r.property->Kind == norv::TPropertyKind::Integer)
        r.property->Set(sim, static_cast<std::int64_t>(std::llround(v)));
      else
        r.property->Set(sim, static_cast<norv::Extended>(v));
    } catch (const norv::Exception&) {
      // Between two values the setter accepts; the end value was checked before the run.
    }
  }
  std::erase_if(FRamps, [&](const Ramp& r) { return t >= r.start + r.over; });
}

void EventPlayer::HoldFix(double t, norv::TNorvGPSSimulator& sim, bool restore) {
  const bool lost = FFaults.FixLost(t);
  if (lost) {
    if (!FSavedFix) Report(t, "fix lost");
    if (!FSavedFix) FSavedFix = sim.FixQuality();
    sim.SetFixQuality(0);
  } else if (FSavedFix) {
    if (restore) sim.SetFixQuality(*FSavedFix);
    FSavedFix.reset();
    Report(t, "fix regained");
  }
}

}  // namespace norvgpssim
