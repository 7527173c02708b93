#include "CalendarRange.h"

#include "ExitCodes.h"
#include "TimeText.h"

namespace norvgpssim {

namespace {

constexpr std::int64_t kFirstMs = -2209161600000;     // 1899-12-30T00:00:00Z
constexpr std::int64_t kLastMs = 253402300799999;     // 9999-12-31T23:59:59.999Z

}  // namespace

bool InCalendar(std::int64_t unixMs) { return unixMs >= kFirstMs && unixMs <= kLastMs; }

void CheckRunInCalendar(const EpochSchedule& Schedule, std::optional<std::uint64_t> Epochs) {
  const std::string range = " (the clock runs from " + FormatIso8601(kFirstMs) + " to " +
                            FormatIso8601(kLastMs) + ")";
  if (!InCalendar(Schedule.StartMs()))
    throw CliError(kExitUsage, "--start-time is outside the calendar" + range);
  if (!Epochs || *Epochs == 0) return;
  // In long double: a count near 2^63 would overflow the millisecond arithmetic of InstantMs.
  const long double lastMs = static_cast<long double>(Schedule.StartMs()) +
                             static_cast<long double>(*Epochs - 1) * 1000.0L / Schedule.Rate();
  if (lastMs > static_cast<long double>(kLastMs))
    throw CliError(kExitUsage, "the run's last epoch falls after the calendar's end" + range);
}

}  // namespace norvgpssim
