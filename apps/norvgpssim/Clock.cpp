#include "Clock.h"

#include <cmath>

namespace norvgpssim {

std::int64_t EpochSchedule::InstantMs(std::uint64_t epoch) const {
  return FStartMs + std::llround(static_cast<double>(epoch) * 1000.0 / FRate);
}

double EpochSchedule::StepSeconds(std::uint64_t epoch) const {
  return static_cast<double>(InstantMs(epoch + 1) - InstantMs(epoch)) / 1000.0;
}

WallPacer::Clock::time_point WallPacer::Deadline(std::uint64_t epoch) const {
  const auto offset = std::chrono::duration<double>(static_cast<double>(epoch) * FWallInterval);
  return FFirst + std::chrono::duration_cast<Clock::duration>(offset);
}

timespec PollTimeout(WallPacer::Clock::time_point Deadline, WallPacer::Clock::time_point Now) {
  using namespace std::chrono;
  auto left = Deadline - Now;
  if (left <= WallPacer::Clock::duration::zero()) return {};
  if (left > 2 * kFinalStretch) left -= kFinalStretch;
  const auto s = duration_cast<seconds>(left);
  return {static_cast<time_t>(s.count()), static_cast<long>(duration_cast<nanoseconds>(left - s).count())};
}

WholeSecond NextWholeSecond() {
  using namespace std::chrono;
  const auto steadyNow = steady_clock::now();
  const auto systemNow = system_clock::now();
  const std::int64_t nowMs = duration_cast<milliseconds>(systemNow.time_since_epoch()).count();
  const std::int64_t nextMs = (nowMs / 1000 + 1) * 1000;  // strictly ahead
  const auto wait = system_clock::time_point(milliseconds(nextMs)) - systemNow;
  return {nextMs, steadyNow + duration_cast<steady_clock::duration>(wait)};
}

}  // namespace norvgpssim
