// The peers' native lower bound (limit_c) as a function: builds the peers' workload epoch into
// a buffer, so that a benchmark can put the fastest possible builder in front of a write(2).
#pragma once

#include <cstddef>

extern "C" {
// Writes one epoch into Out (at least 8192 bytes) and returns its length.
std::size_t LimitEpoch(char* Out);
}
