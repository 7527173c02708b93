#pragma once
// The accepted ranges of a position's parts, shared by the component's setters and TWayPoint's.
#include <cstdint>

#include "norv/framework/Types.h"
#include "norv/model/NorvTypes.h"

namespace norv {

// Each returns the message that refuses Value, or nullptr when Value is accepted. The messages
// name the range as "between 0 and 60." even where the upper bound itself is refused.
const char* RefusedLatitudeDegree(std::int32_t Value);   // 0 to 90
const char* RefusedLatitudeMinute(std::int32_t Value);   // 0 to 59
const char* RefusedLatitudeSecond(Extended Value);       // 0 or more, below 60
const char* RefusedLatitudeDirection(TCardinalPoint Value);   // cpNorth or cpSouth
const char* RefusedLongitudeDegree(std::int32_t Value);  // 0 to 180
const char* RefusedLongitudeMinute(std::int32_t Value);  // 0 to 59
const char* RefusedLongitudeSecond(Extended Value);      // 0 or more, below 60
const char* RefusedLongitudeDirection(TCardinalPoint Value);  // cpEast or cpWest

// Lo <= Value < Hi; NaN fails both comparisons, so it is refused too.
inline bool InHalfOpen(Extended Value, Extended Lo, Extended Hi) {
  return Value >= Lo && Value < Hi;
}

}  // namespace norv
