#pragma once
// FloatToStr's text written into a caller's buffer, so that a field needs no string of its own.
#include <cstddef>

#include "norv/framework/Types.h"

namespace norv {

// Room for every FloatToText result: sign, 15 digits, separator and a four-digit exponent.
inline constexpr std::size_t kFloatTextCapacity = 32;

// Writes the FloatToStr text of Value (general format, 15 significant digits, no trailing
// zeros, FormatSettings.DecimalSeparator) into Buffer and returns its length. Most values take
// a fast path in extended precision; those it cannot settle exactly go through std::to_chars.
std::size_t FloatToText(char* Buffer, Extended Value);

}  // namespace norv
