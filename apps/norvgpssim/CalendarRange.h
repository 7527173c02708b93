#pragma once
// The instants the simulated clock can carry, and the check that a run stays within them.
#include <cstdint>
#include <optional>

#include "Clock.h"

namespace norvgpssim {

// 1899-12-30T00:00:00Z to 9999-12-31T23:59:59.999Z. The component's clock counts days from
// 1899-12-30 and reads an earlier (negative) count with a mirrored time of day; a later date
// needs a fifth digit of year.
bool InCalendar(std::int64_t unixMs);

// Raises CliError (bad command line) when the first epoch, or with a limit the last, falls
// outside the calendar.
void CheckRunInCalendar(const EpochSchedule& Schedule, std::optional<std::uint64_t> Epochs);

}  // namespace norvgpssim
