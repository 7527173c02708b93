#pragma once
// Dilutions of precision from the directions of the satellites a receiver uses.
#include <optional>
#include <span>

#include "norv/orbits/Geometry.h"

namespace norv::orbits {

struct TDops {
  double PDOP = 0, HDOP = 0, VDOP = 0;
};

// The usual least-squares geometry: one row (east, north, up of the unit line of sight, 1) per
// satellite, one receiver clock for every system; Q = (G^T G)^-1, HDOP = sqrt(Qee + Qnn),
// VDOP = sqrt(Quu), PDOP = sqrt(Qee + Qnn + Quu). None for fewer than four satellites or a
// geometry that fixes no position (all on one cone, say).
std::optional<TDops> DopsOf(std::span<const TLookAngle> Used);
// Unit lines of sight column by column: the east, north and up components of each, one entry
// per satellite in each column.
struct TLinesOfSight {
  std::span<const double> East, North, Up;
};
// The same from the unit lines of sight themselves.
std::optional<TDops> DopsOfLinesOfSight(const TLinesOfSight& Used);

}  // namespace norv::orbits
