#pragma once
// Rounding of extended reals to integers without the library calls. On x87 those switch the
// FPU control word, or save and restore its whole environment, on every call, which costs more
// than the field they round. Every result equals the library's, the sign of a zero included.
// Where long double is not the 80-bit x87 type stored low byte first (AArch64, PowerPC, any
// big-endian host), the same functions call the library instead: same results, no shortcut.
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "norv/framework/Types.h"

namespace norv {

// The shortcut reads the significand from the low eight bytes of an x87 extended real.
inline constexpr bool kX87ExtendedLowFirst =
    LDBL_MANT_DIG == 64 && std::endian::native == std::endian::little;

// The integer nearest X in the current rounding mode, as nearbyint gives it; false when |X|
// is not below 2^62 (or X is not a number), where the caller keeps the library's way.
// X + 2^63 (X - 2^63 for a negative X) lies where extended reals are one apart, so the addition
// rounds X to an integer in the current mode, and the 64-bit significand of the sum, stored
// explicitly in the low eight bytes, is 2^63 plus the magnitude of that integer.
inline bool NearbyInteger(Extended X, std::int64_t& N) {
  if (!(std::fabs(X) < 0x1p62L)) return false;
  if constexpr (!kX87ExtendedLowFirst) {
    N = static_cast<std::int64_t>(std::nearbyint(X));
    return true;
  }
  constexpr Extended kTwo63 = 0x1p63L;
  const bool negative = X < 0;
  const Extended shifted = negative ? X - kTwo63 : X + kTwo63;
  std::uint64_t significand;
  std::memcpy(&significand, &shifted, sizeof significand);
  const auto magnitude = static_cast<std::int64_t>(significand - (1ULL << 63));
  N = negative ? -magnitude : magnitude;
  return true;
}

// X rounded toward zero, as an integer; same domain as NearbyInteger.
inline bool TruncInteger(Extended X, std::int64_t& N) {
  if (!NearbyInteger(X, N)) return false;
  const auto nearest = static_cast<Extended>(N);  // exact
  if (X >= 0 && nearest > X) --N;
  if (X < 0 && nearest < X) ++N;
  return true;
}

// X rounded half away from zero, as std::round does, as an integer; same domain.
inline bool RoundInteger(Extended X, std::int64_t& N) {
  if (!TruncInteger(X, N)) return false;
  // Both are within one of each other and of one sign, so the difference is exact.
  const Extended fraction = X - static_cast<Extended>(N);
  if (fraction >= 0.5L) ++N;
  if (fraction <= -0.5L) --N;
  return true;
}

// std::nearbyint, std::trunc and std::round.
inline Extended NearbyInt(Extended X) {
  std::int64_t n = 0;  // set whenever it is read; g++ -O3 cannot see that
  return NearbyInteger(X, n) ? std::copysign(static_cast<Extended>(n), X) : std::nearbyint(X);
}
inline Extended Trunc(Extended X) {
  std::int64_t n = 0;  // set whenever it is read; g++ -O3 cannot see that
  return TruncInteger(X, n) ? std::copysign(static_cast<Extended>(n), X) : std::trunc(X);
}
inline Extended Round(Extended X) {
  std::int64_t n = 0;  // set whenever it is read; g++ -O3 cannot see that
  return RoundInteger(X, n) ? std::copysign(static_cast<Extended>(n), X) : std::round(X);
}

}  // namespace norv
