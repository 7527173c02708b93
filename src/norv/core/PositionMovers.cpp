// Moving the current position by arc seconds, clamped so it never leaves its hemisphere.
#include <cmath>

#include "norv/core/TNorvGPSSimulator.h"

namespace norv {

namespace {

// Adds Seconds to the magnitude of the angle Degree/Minute/Second. Below zero the angle stops
// at 0°0'0"; at or past LimitDegrees it stops there. The hemisphere is the caller's and is left
// alone: the position halts at the equator (prime meridian) rather than crossing it.
void AddSecondsToAngle(std::int32_t& Degree, std::int32_t& Minute, Extended& Second,
                       Extended Seconds, std::int32_t LimitDegrees) {
  const Extended total = (Degree * 3600 + Minute * 60) + Second + Seconds;
  const Extended limit = static_cast<Extended>(LimitDegrees) * 3600;
  if (total >= 0 && total < limit) {
    // total < limit keeps the whole seconds well inside 32 bits.
    const auto whole = static_cast<std::int32_t>(std::trunc(total));
    Degree = whole / 3600;
    Minute = (whole - Degree * 3600) / 60;
    Second = (total - std::trunc(total)) + (whole - Degree * 3600 - Minute * 60);
  } else if (total < 0) {
    Degree = 0;
    Minute = 0;
    Second = 0;
  } else {
    Degree = LimitDegrees;
    Minute = 0;
    Second = 0;
  }
}

}  // namespace

void TNorvGPSSimulator::AddSecondsToLatitude(Extended seconds) {
  TDMSAngle& a = FState.Position.Latitude;
  AddSecondsToAngle(a.Degree, a.Minute, a.Second, seconds, 90);
}

void TNorvGPSSimulator::AddSecondsToLongitude(Extended seconds) {
  TDMSAngle& a = FState.Position.Longitude;
  AddSecondsToAngle(a.Degree, a.Minute, a.Second, seconds, 180);
}

}  // namespace norv
