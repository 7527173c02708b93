#pragma once
// The virtual clock (one UTC instant per epoch) and the wall-clock pacing of epochs.
#include <time.h>

#include <chrono>
#include <cstdint>

namespace norvgpssim {

// Epoch k happens at start + k / rate seconds of simulated UTC, computed from k each time so
// that no rounding accumulates over a long run.
class EpochSchedule {
 public:
  EpochSchedule(std::int64_t startUnixMs, double rateHz) : FStartMs(startUnixMs), FRate(rateHz) {}
  std::int64_t InstantMs(std::uint64_t epoch) const;
  // Simulated seconds between epoch k and k+1 (millisecond-exact, like the instants).
  double StepSeconds(std::uint64_t epoch) const;
  std::int64_t StartMs() const { return FStartMs; }
  double Rate() const { return FRate; }

 private:
  std::int64_t FStartMs;
  double FRate;
};

// Wall-clock deadline of each epoch: the first at `first`, then every 1 / (rate * timeScale) s.
class WallPacer {
 public:
  using Clock = std::chrono::steady_clock;
  WallPacer(Clock::time_point first, double rateHz, double timeScale)
      : FFirst(first), FWallInterval(1.0 / (rateHz * timeScale)) {}
  Clock::time_point Deadline(std::uint64_t epoch) const;

 private:
  Clock::time_point FFirst;
  double FWallInterval;  // seconds
};

// How long a poll may sleep on the way to Deadline, to the nanosecond. Linux lets a poll
// oversleep by a thousandth of its timeout (a millisecond in a second): a long wait stops
// kFinalStretch short, and the rest is a short poll that oversleeps by microseconds only.
inline constexpr std::chrono::milliseconds kFinalStretch{5};
timespec PollTimeout(WallPacer::Clock::time_point Deadline, WallPacer::Clock::time_point Now);

// The next whole second of the system clock, as Unix milliseconds and as a steady-clock
// time point (the steady clock keeps the pacing immune to clock adjustments while running).
struct WholeSecond {
  std::int64_t unixMs;
  WallPacer::Clock::time_point steady;
};
WholeSecond NextWholeSecond();

}  // namespace norvgpssim
